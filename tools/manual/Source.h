#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The manual's source: a small markup that a writer edits without touching code.
//   % line          the cover (title, subtitle, a line under them), before the first chapter
//   # Title         a chapter: a new page, listed in the table of contents
//   ## Title        a section of the chapter, also listed
//   text            consecutive lines make a paragraph; an empty line ends it
//   - item, 1. item a bulleted or numbered list
//   > text          a boxed note
//   **words**       bold (buttons and fields as the screen shows them)
//   [[finestra name | caption]]  a picture of a program window
//   <!-- ... -->    a comment, left out (it may span lines)
namespace Manual {

struct Block
{
    enum Kind { Chapter, Section, Paragraph, Bullet, Numbered, Note, Picture };
    Kind kind;
    QString text;    // titles and texts as written (inline markup kept)
    QString picture; // Picture: the picture's name
    int line = 0;    // where it stands in the source, for error messages
};

struct Source
{
    QStringList cover;
    QList<Block> blocks;
    QStringList errors; // lines the reader did not understand
};

Source parse(const QString &text);

// The chapter titles, in order.
QStringList chapterTitles(const Source &source);

// Inline markup as rich text: the text escaped, **words** in bold.
QString inlineHtml(const QString &text);

} // namespace Manual
