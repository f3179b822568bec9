#pragma once

#include "manual/Source.h"

#include <QHash>
#include <QImage>
#include <QString>

// Lays the manual out as a book and writes it as a PDF: a cover, the table of contents with
// page numbers and links, then one chapter per page run; A4, page numbers in the foot.
namespace Manual {

struct Book
{
    Source source;
    QHash<QString, QImage> pictures; // by name
    QImage coverPicture;             // may be null
};

// False, with the reason, when the file could not be written.
bool writePdf(const Book &book, const QString &path, QString *error);

} // namespace Manual
