#pragma once

#include "billing/DocumentNumber.h"
#include "billing/Money.h"
#include "storage/RecordFile.h"

#include <QDate>
#include <QList>

#include <functional>

// What estimates and invoices share: a header file and a line file (see BillingRecords.h),
// numbers per calendar year. Each function works on files the caller opened; the caller holds
// the header file's exclusive lock for the whole of a numbering and writing, and takes the
// line file's lock only inside it, so two copies of the program never wait on each other in
// the opposite order.
namespace DocumentStore {

template <class Header> DocumentNumber numberOf(const Header &h)
{
    return DocumentNumber{h.Numero.text().toInt(), h.Anno.text().toInt()};
}

template <class Header> void setNumber(Header &h, const DocumentNumber &n)
{
    h.Numero.setText(QString::number(n.number));
    h.Anno.setText(QString::number(n.year));
}

// The last document of a year in an open header file and its date: the records are read
// from the end, and numbers only grow through a year in file order (every number is taken
// under the lock as the last one plus one, and appended). `whole` passes over records that
// are not (torn by a power cut). A null number when the year has none.
struct Last
{
    DocumentNumber number;
    QDate date;
};
template <class Header> Last lastOfYear(RecordFile &headers, int year, const std::function<bool(const Header &)> &whole)
{
    Header h{};
    for (qint64 p = headers.count(); p >= 1; --p) {
        headers.readAt(p, h);
        if (!whole(h))
            continue;
        const DocumentNumber n = numberOf(h);
        if (n.year == year && n.number > 0)
            return Last{n, Money::parseDate(h.Data.text())};
    }
    return Last{DocumentNumber{0, year}, QDate()};
}

// Appends the lines to the line file (its lock taken and given back here) and returns the
// position of the first; the lines are on the disk when it returns.
template <class Line> qint64 appendLines(const QString &path, const QList<Line> &lines)
{
    RecordFile file(path, Line::Size);
    file.open(RecordFile::Write);
    const qint64 first = file.count() + 1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (file.append(lines.at(i)) != first + i)
            throw StorageError(path + QStringLiteral(": lines out of order"));
    }
    file.close();
    return first;
}

// The lines a header points to; each must carry the document's number. Throws StorageError
// when one is missing or belongs to another document.
template <class Line> QList<Line> readLines(RecordFile &file, qint64 first, int count, const DocumentNumber &owner)
{
    QList<Line> out;
    out.reserve(count);
    if (count == 0)
        return out;
    if (first < 1 || first + count - 1 > file.count())
        throw StorageError(file.path() + QStringLiteral(": lines missing for ") + owner.text());
    for (int i = 0; i < count; ++i) {
        Line line{};
        file.readAt(first + i, line);
        if (numberOf(line) != owner)
            throw StorageError(file.path() + QStringLiteral(": lines of another document for ") + owner.text());
        out.append(line);
    }
    return out;
}

} // namespace DocumentStore
