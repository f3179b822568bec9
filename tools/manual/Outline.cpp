#include "manual/Outline.h"

#include <QRegularExpression>

namespace Outline {

namespace {

// A text string of the PDF: UTF-16 big-endian with its byte-order mark, in hexadecimal.
QByteArray textString(const QString &text)
{
    QByteArray bytes("<FEFF");
    for (const QChar c : text)
        bytes += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    return bytes + '>';
}

QByteArray ref(int object) { return QByteArray::number(object) + " 0 R"; }

} // namespace

QByteArray append(const QByteArray &pdf, const QList<Entry> &entries)
{
    if (entries.isEmpty())
        return pdf;
    const QString text = QString::fromLatin1(pdf);
    // The last trailer: the file's size in objects, its catalog, its information and where
    // its cross-reference table starts.
    const qsizetype trailerAt = text.lastIndexOf(QLatin1String("trailer"));
    if (trailerAt < 0)
        return pdf;
    const QString trailer = text.mid(trailerAt);
    static const QRegularExpression sizeRe(QStringLiteral(R"(/Size\s+(\d+))"));
    static const QRegularExpression rootRe(QStringLiteral(R"(/Root\s+(\d+)\s+0\s+R)"));
    static const QRegularExpression infoRe(QStringLiteral(R"(/Info\s+(\d+)\s+0\s+R)"));
    static const QRegularExpression startRe(QStringLiteral(R"(startxref\s+(\d+))"));
    const QRegularExpressionMatch size = sizeRe.match(trailer);
    const QRegularExpressionMatch root = rootRe.match(trailer);
    const QRegularExpressionMatch info = infoRe.match(trailer);
    const QRegularExpressionMatch start = startRe.match(trailer);
    if (!size.hasMatch() || !root.hasMatch() || !start.hasMatch())
        return pdf;
    const int firstNew = size.captured(1).toInt();
    const int catalog = root.captured(1).toInt();

    // The catalog's dictionary as it is, to be written again with the outline in it.
    const QRegularExpression catalogRe(QStringLiteral(R"((?:^|\s)%1\s+0\s+obj\s*<<(.*?)>>\s*endobj)").arg(catalog),
                                       QRegularExpression::DotMatchesEverythingOption);
    // Its latest revision: the last object of its number in the file.
    QRegularExpressionMatch catalogMatch;
    for (auto it = catalogRe.globalMatch(text); it.hasNext();)
        catalogMatch = it.next();
    if (!catalogMatch.hasMatch() || catalogMatch.captured(1).contains(QLatin1String("/Outlines")))
        return pdf;

    // The pages in order, from the page tree.
    QList<int> pages;
    static const QRegularExpression kidsRe(QStringLiteral(R"(/Kids\s*\[([^\]]*)\])"));
    static const QRegularExpression refRe(QStringLiteral(R"((\d+)\s+0\s+R)"));
    const QRegularExpressionMatch kids = kidsRe.match(text);
    if (!kids.hasMatch())
        return pdf;
    for (auto it = refRe.globalMatch(kids.captured(1)); it.hasNext();)
        pages.append(it.next().captured(1).toInt());
    for (const Entry &e : entries)
        if (e.page < 1 || e.page > pages.size())
            return pdf;

    QByteArray update = pdf;
    if (!update.endsWith('\n'))
        update += '\n';
    QList<std::pair<int, qsizetype>> offsets; // object, where it starts
    const auto object = [&](int number, const QByteArray &body) {
        offsets.append({number, update.size()});
        update += QByteArray::number(number) + " 0 obj\n" + body + "\nendobj\n";
    };

    const int outlines = firstNew;
    const int n = int(entries.size());
    object(outlines, "<< /Type /Outlines /First " + ref(outlines + 1) + " /Last " + ref(outlines + n) + " /Count "
                         + QByteArray::number(n) + " >>");
    for (int i = 0; i < n; ++i) {
        QByteArray item = "<< /Title " + textString(entries.at(i).title) + " /Parent " + ref(outlines);
        if (i > 0)
            item += " /Prev " + ref(outlines + i);
        if (i + 1 < n)
            item += " /Next " + ref(outlines + i + 2);
        item += " /Dest [" + ref(pages.at(entries.at(i).page - 1)) + " /XYZ null null null] >>";
        object(outlines + 1 + i, item);
    }
    object(catalog,
           "<<" + catalogMatch.captured(1).toLatin1() + "/Outlines " + ref(outlines) + "\n/PageMode /UseOutlines\n>>");

    // The cross-reference section of this update: one subsection per run of numbers.
    std::sort(offsets.begin(), offsets.end());
    const qsizetype xref = update.size();
    update += "xref\n";
    for (qsizetype i = 0; i < offsets.size();) {
        qsizetype j = i + 1;
        while (j < offsets.size() && offsets.at(j).first == offsets.at(j - 1).first + 1)
            ++j;
        update += QByteArray::number(offsets.at(i).first) + ' ' + QByteArray::number(j - i) + '\n';
        for (qsizetype k = i; k < j; ++k)
            update += QByteArray::number(offsets.at(k).second).rightJustified(10, '0') + " 00000 n \n";
        i = j;
    }
    update += "trailer\n<< /Size " + QByteArray::number(outlines + n + 1) + " /Root " + ref(catalog);
    if (info.hasMatch())
        update += " /Info " + ref(info.captured(1).toInt());
    update += " /Prev " + start.captured(1).toLatin1() + " >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return update;
}

} // namespace Outline
