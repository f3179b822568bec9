#pragma once

#include "storage/AnsiText.h"

#include <QByteArrayView>
#include <QString>

#include <cstddef>
#include <cstring>
#include <span>

// An ANSI short string of capacity N as it lies in a record: N + 1 bytes, no alignment.
template <int N> struct ShortString
{
    static_assert(N >= 1 && N <= 255);
    static constexpr int capacity = N;

    unsigned char length;
    char chars[N];

    QString text() const { return AnsiText::readShortString(reinterpret_cast<const char *>(this), N); }
    // The stored bytes trimmed of codes 32 and below, undecoded: for comparing with a known
    // text without building a string for every record of a scan.
    QByteArrayView trimmedBytes() const
    {
        int begin = 0;
        int end = length > N ? N : length;
        while (begin < end && static_cast<unsigned char>(chars[begin]) <= 32)
            ++begin;
        while (end > begin && static_cast<unsigned char>(chars[end - 1]) <= 32)
            --end;
        return QByteArrayView(chars + begin, end - begin);
    }
    // Appends the trimmed text to a line (padded or cut to width when one is given).
    void appendTo(QString &line, int width = -1) const
    {
        AnsiText::appendShortString(line, reinterpret_cast<const char *>(this), N, width);
    }
    void setText(const QString &t) { AnsiText::writeShortString(reinterpret_cast<char *>(this), N, t); }
};

// One field of a record layout: what is stored, and where. The windows that show a field
// name it by its name here.
struct RecordField
{
    const char *name; // the field's name in the layout
    int offset;       // bytes from the start of the record
    int capacity;     // characters; the field takes capacity + 1 bytes

    QString read(const char *record) const { return AnsiText::readShortString(record + offset, capacity); }
    void write(char *record, const QString &text) const { AnsiText::writeShortString(record + offset, capacity, text); }
};

// Raw byte access to a record struct, for the record file.
template <class Record> char *recordBytes(Record &r) { return reinterpret_cast<char *>(&r); }
template <class Record> const char *recordBytes(const Record &r) { return reinterpret_cast<const char *>(&r); }

// The field of a layout with the given name; null when the layout has none.
inline const RecordField *findField(std::span<const RecordField> fields, const char *name)
{
    for (const RecordField &field : fields) {
        if (std::strcmp(field.name, name) == 0)
            return &field;
    }
    return nullptr;
}

#define SORRISA_FIELD(Record, Field)                                                                                   \
    RecordField { #Field, int(offsetof(Record, Field)), decltype(Record::Field)::capacity }
