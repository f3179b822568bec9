#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

// What backups remember, in the small INI file "Copia_di_sicurezza.ini" of the program folder
// (section [Copia]): the folder the user chose (Cartella), when the last backup was made
// (Ultima, ISO date and time) and its file (File), and the day the reminder was last shown
// (Promemoria, ISO date), and how many backups are kept (Conserva, Mesi). The file is never
// part of a backup, so a restore keeps it.
struct BackupSettings
{
    QString folder;
    QDateTime last;
    QString lastFile;
    QDate reminded;
    // "Copie da conservare": the last `keepLast` backups (0: all of them) and the last of each
    // of the `keepMonths` months before the current one (Conserva, Mesi).
    int keepLast = 10;
    int keepMonths = 6;

    static BackupSettings read(const QString &programFolder);
    bool write(const QString &programFolder) const;

    // The reminder is due once a day while the last backup is more than 7 days old, or when
    // there is none.
    bool reminderDue(const QDate &today) const;
    QString reminderText(const QDate &today) const;
};
