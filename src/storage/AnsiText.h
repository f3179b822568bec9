#pragma once

#include <QByteArray>
#include <QString>

// The text rules of every record field: texts are trimmed of leading and trailing
// characters of code 32 or below, and stored one byte per character in Windows-1252.
namespace AnsiText {

// Leading and trailing characters of code 32 or below removed; inner characters kept.
QString trimmed(const QString &text);
inline bool isBlank(const QString &text) { return trimmed(text).isEmpty(); }

// Windows-1252 in both directions. A character the code page cannot hold becomes '?'.
QByteArray toAnsi(const QString &text);
QString fromAnsi(const char *bytes, int length);
inline QString fromAnsi(const QByteArray &bytes) { return fromAnsi(bytes.constData(), int(bytes.size())); }

// An ANSI short string of capacity N: one length byte, then N bytes of characters.
// Reading decodes at most the capacity (a larger length byte cannot come from us) and trims.
QString readShortString(const char *field, int capacity);
// Appends a field's text, trimmed, to a line being built, without a string of its own; with
// a width, padded with blanks or cut to exactly that many characters.
void appendShortString(QString &line, const char *field, int capacity, int width = -1);
// Storing trims, converts, cuts to the capacity and zeroes the unused bytes.
void writeShortString(char *field, int capacity, const QString &text);

} // namespace AnsiText
