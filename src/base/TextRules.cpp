#include "base/TextRules.h"

#include "storage/AnsiText.h"

namespace TextRules {

QString fixedColumn(const QString &text, int width)
{
    QString t = AnsiText::trimmed(text);
    if (t.size() >= width)
        return t.left(width);
    return t + QString(width - t.size(), QLatin1Char(' '));
}

void appendColumn(QString &line, const QString &text, int width)
{
    const QString t = AnsiText::trimmed(text);
    const qsizetype n = qMin<qsizetype>(t.size(), width);
    line.append(t.constData(), n);
    if (n < width)
        line.resize(line.size() + (width - n), QLatin1Char(' '));
}

QString foldAZ(const QString &text)
{
    QString out = text;
    for (QChar &ch : out)
        if (ch.unicode() >= 'A' && ch.unicode() <= 'Z')
            ch = QChar(char16_t(ch.unicode() + 32));
    return out;
}

int findInList(const QStringList &lines, int selected, const QString &typed, QString &lastTerm)
{
    return findInList(
        int(lines.size()), [&](int i) { return lines.at(i); }, selected, typed, lastTerm);
}

int findInList(int count, const std::function<QString(int)> &lineAt, int selected, const QString &typed,
               QString &lastTerm)
{
    if (count == 0)
        return selected;
    if (selected < 0 || selected >= count)
        selected = 0;
    const QString s = foldAZ(typed);
    const auto hit = [&](int i) { return !s.isEmpty() && foldAZ(lineAt(i)).contains(s); };
    const bool sameTerm = s == lastTerm;
    lastTerm = s;
    const int start = sameTerm ? selected : 0;
    if (!sameTerm && hit(start))
        return start;
    int i = start;
    do {
        i = (i + 1) % count;
        if (hit(i))
            return i;
    } while (i != start);
    return selected;
}

} // namespace TextRules
