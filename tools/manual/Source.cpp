#include "manual/Source.h"

#include <QRegularExpression>

namespace Manual {

namespace {

const QRegularExpression &pictureLine()
{
    static const QRegularExpression re(QStringLiteral(R"(^\[\[\s*finestra\s+([^|\]\s]+)\s*(?:\|\s*(.*?)\s*)?\]\]$)"));
    return re;
}

const QRegularExpression &numberedLine()
{
    static const QRegularExpression re(QStringLiteral(R"(^\d+\.\s+(.*)$)"));
    return re;
}

} // namespace

Source parse(const QString &text)
{
    Source source;
    const QStringList lines = text.split(QLatin1Char('\n'));
    bool inComment = false;
    Block *open = nullptr; // the paragraph, list item or note that the next text line continues
    auto add = [&](Block::Kind kind, const QString &t, int line) {
        source.blocks.append({kind, t, QString(), line});
        open = (kind == Block::Paragraph || kind == Block::Bullet || kind == Block::Numbered || kind == Block::Note)
                   ? &source.blocks.last()
                   : nullptr;
    };

    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i).trimmed();
        const int number = i + 1;
        if (inComment) {
            if (line.contains(QLatin1String("-->")))
                inComment = false;
            continue;
        }
        if (line.startsWith(QLatin1String("<!--"))) {
            inComment = !line.contains(QLatin1String("-->"));
            open = nullptr;
            continue;
        }
        if (line.isEmpty()) {
            open = nullptr;
            continue;
        }
        if (line.startsWith(QLatin1String("% "))) {
            if (!source.blocks.isEmpty())
                source.errors.append(QStringLiteral("riga %1: la copertina va prima del primo capitolo").arg(number));
            source.cover.append(line.mid(2).trimmed());
            open = nullptr;
        } else if (line.startsWith(QLatin1String("## "))) {
            add(Block::Section, line.mid(3).trimmed(), number);
        } else if (line.startsWith(QLatin1String("# "))) {
            add(Block::Chapter, line.mid(2).trimmed(), number);
        } else if (line.startsWith(QLatin1String("[["))) {
            const QRegularExpressionMatch m = pictureLine().match(line);
            if (!m.hasMatch()) {
                source.errors.append(QStringLiteral("riga %1: immagine non riconosciuta: %2").arg(number).arg(line));
                continue;
            }
            source.blocks.append({Block::Picture, m.captured(2), m.captured(1), number});
            open = nullptr;
        } else if (line.startsWith(QLatin1String("- "))) {
            add(Block::Bullet, line.mid(2).trimmed(), number);
        } else if (const QRegularExpressionMatch m = numberedLine().match(line); m.hasMatch()) {
            add(Block::Numbered, m.captured(1), number);
        } else if (line.startsWith(QLatin1String("> ")) || line == QLatin1String(">")) {
            const QString t = line.mid(1).trimmed();
            if (open && open->kind == Block::Note)
                open->text += QLatin1Char(' ') + t;
            else
                add(Block::Note, t, number);
        } else if (open) {
            open->text += QLatin1Char(' ') + line;
        } else {
            add(Block::Paragraph, line, number);
        }
    }
    if (!source.blocks.isEmpty() && source.blocks.first().kind != Block::Chapter)
        source.errors.append(QStringLiteral("riga %1: il testo deve cominciare con un capitolo (# Titolo)")
                                 .arg(source.blocks.first().line));
    if (inComment)
        source.errors.append(QStringLiteral("un commento <!-- non è chiuso da -->"));
    return source;
}

QStringList chapterTitles(const Source &source)
{
    QStringList titles;
    for (const Block &b : source.blocks)
        if (b.kind == Block::Chapter)
            titles.append(b.text);
    return titles;
}

QString inlineHtml(const QString &text)
{
    QString html = text.toHtmlEscaped();
    static const QRegularExpression bold(QStringLiteral(R"(\*\*(.+?)\*\*)"));
    html.replace(bold, QStringLiteral("<b>\\1</b>"));
    return html;
}

} // namespace Manual
