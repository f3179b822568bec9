#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

// The list of a backup's contents, stored as its last entry: when it was made and every
// folder and file with the file's size and SHA-256. A text file, one line each:
//
//   SORRISA-COPIA 1
//   creata 2026-12-10T09:30:00
//   cartella Documenti_Allegati/
//   file 13315 <64 hex digits> Archivio_Pazienti.pro
//   fine 2
//
// Names are UTF-8, percent-encoded (a blank, '%' or a line break cannot end the line early);
// "fine" gives the number of folder and file lines, so a manifest cut short shows.
struct Manifest
{
    struct Item
    {
        QString path; // '/'-separated; a folder ends with '/'
        bool folder = false;
        qint64 size = 0;
        QByteArray sha256; // 32 bytes
    };
    QDateTime created;
    QList<Item> items;

    QByteArray text() const;
    // False when the text is not a manifest of ours or is damaged.
    static bool parse(const QByteArray &text, Manifest *out);
    // True when the text starts as a manifest of a later layout than this program reads
    // ("SORRISA-COPIA 2" and on): a backup made by a newer version.
    static bool isNewerLayout(const QByteArray &text);
    // The size of a file listed at the top level, or -1.
    qint64 sizeOf(const QString &path) const;
};
