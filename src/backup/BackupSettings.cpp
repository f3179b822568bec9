#include "backup/BackupSettings.h"

#include "backup/Backup.h"
#include "backup/DataFiles.h"

#include <QDir>
#include <QSettings>

namespace {

QString settingsPath(const QString &programFolder)
{
    return QDir(programFolder).absoluteFilePath(DataFiles::kSettingsFile);
}

} // namespace

BackupSettings BackupSettings::read(const QString &programFolder)
{
    QSettings ini(settingsPath(programFolder), QSettings::IniFormat);
    BackupSettings s;
    s.folder = ini.value(QStringLiteral("Copia/Cartella")).toString();
    s.last = QDateTime::fromString(ini.value(QStringLiteral("Copia/Ultima")).toString(), Qt::ISODate);
    s.lastFile = ini.value(QStringLiteral("Copia/File")).toString();
    s.reminded = QDate::fromString(ini.value(QStringLiteral("Copia/Promemoria")).toString(), Qt::ISODate);
    s.keepLast = qBound(0, ini.value(QStringLiteral("Copia/Conserva"), s.keepLast).toInt(), 999);
    s.keepMonths = qBound(0, ini.value(QStringLiteral("Copia/Mesi"), s.keepMonths).toInt(), 120);
    return s;
}

bool BackupSettings::write(const QString &programFolder) const
{
    QSettings ini(settingsPath(programFolder), QSettings::IniFormat);
    ini.setValue(QStringLiteral("Copia/Cartella"), folder);
    ini.setValue(QStringLiteral("Copia/Ultima"), last.isValid() ? last.toString(Qt::ISODate) : QString());
    ini.setValue(QStringLiteral("Copia/File"), lastFile);
    ini.setValue(QStringLiteral("Copia/Promemoria"), reminded.isValid() ? reminded.toString(Qt::ISODate) : QString());
    ini.setValue(QStringLiteral("Copia/Conserva"), keepLast);
    ini.setValue(QStringLiteral("Copia/Mesi"), keepMonths);
    ini.sync();
    return ini.status() == QSettings::NoError;
}

bool BackupSettings::reminderDue(const QDate &today) const
{
    if (reminded == today)
        return false;
    return !last.isValid() || last.date().daysTo(today) > 7;
}

QString BackupSettings::reminderText(const QDate &today) const
{
    const QString first =
        last.isValid() ? QStringLiteral("Attenzione: l'ultima copia di sicurezza dei dati risale %1 (%2 giorni fa).")
                             .arg(Backup::onDay(QStringLiteral("al"), last.date()))
                             .arg(last.date().daysTo(today))
                       : QStringLiteral("Attenzione: non è ancora stata fatta una copia di sicurezza dei dati.");
    return first
           + QStringLiteral("\r\n\r\nUn guasto del disco, un furto o un virus possono far perdere l'intero "
                            "archivio dello studio.\r\n\r\nFare ora la copia di sicurezza?");
}
