#pragma once

#include <functional>

#include <QString>
#include <QStringList>

// Small text rules shared by the list windows.
namespace TextRules {

// The field text trimmed, padded with blanks and cut to exactly width characters: one
// column of a fixed-column list line.
QString fixedColumn(const QString &text, int width);
// The same column appended to a line being built.
void appendColumn(QString &line, const QString &text, int width);

// The letters A to Z turned to a to z; no other character changes.
QString foldAZ(const QString &text);

// The find-in-list of every list window with a "Trova" field. Given the lines, the selected
// line (-1 for none), the typed text and the remembered last term, returns the line to
// select (unchanged when nothing matches) and updates the remembered term. A first press
// finds the first hit from the top; a press with the same text the next hit after the
// selected line, wrapping round. An empty text matches nothing.
int findInList(const QStringList &lines, int selected, const QString &typed, QString &lastTerm);
// The same over lines built on request: `lineAt` is asked for lines in the order the search
// goes, from the selected line down and round, until one holds the text.
int findInList(int count, const std::function<QString(int)> &lineAt, int selected, const QString &typed,
               QString &lastTerm);

} // namespace TextRules
