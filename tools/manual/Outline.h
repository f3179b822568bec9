#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// PDF bookmarks (the outline a reader shows beside the pages) added to a finished PDF as an
// incremental update: the file's bytes stay as they are, and appended after them come the
// outline's objects, a new revision of the catalog that names them, a cross-reference
// section for these objects and a trailer pointing back (/Prev) to the file's own. Qt's PDF
// writer has no outline of its own. Window-free.
namespace Outline {

struct Entry
{
    QString title;
    int page = 0; // 1-based physical page
};

// The PDF with the entries as its outline, one level, in order; the PDF unchanged when it
// cannot be read as Qt writes it (one cross-reference table, a trailer naming /Root and
// /Size, the pages in one /Kids list) or when there are no entries.
QByteArray append(const QByteArray &pdf, const QList<Entry> &entries);

} // namespace Outline
