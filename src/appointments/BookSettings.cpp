#include "appointments/BookSettings.h"

#include "platform/ProgramFolder.h"

#include <QSettings>

#include <algorithm>

namespace AppointmentBook {

int DentistColours::knownIndex(const QString &dentist) const
{
    const QString key = dentistKey(dentist);
    return key.isEmpty() ? -1 : m_index.value(key, -1);
}

int DentistColours::indexOf(const QString &dentist)
{
    const QString key = dentistKey(dentist);
    if (key.isEmpty())
        return -1;
    if (const auto found = m_index.constFind(key); found != m_index.constEnd())
        return *found;
    // The colour the fewest dentists have, the first of the palette among equals.
    int uses[kPaletteSize] = {};
    for (int index : std::as_const(m_index))
        if (index >= 0 && index < kPaletteSize)
            ++uses[index];
    const int index = int(std::min_element(uses, uses + kPaletteSize) - uses);
    m_keys.append(key);
    m_names.append(dentist.trimmed());
    m_index.insert(key, index);
    m_changed = true;
    return index;
}

void DentistColours::choose(const QString &dentist, int index)
{
    const QString key = dentistKey(dentist);
    if (key.isEmpty() || index < 0 || index >= kPaletteSize)
        return;
    if (!m_index.contains(key)) {
        m_keys.append(key);
        m_names.append(dentist.trimmed());
    }
    if (m_index.value(key, -1) != index)
        m_changed = true;
    m_index.insert(key, index);
}

namespace {
QString settingsPath() { return ProgramFolder::file(kBookSettingsFile); }
} // namespace

BookSettings loadBookSettings()
{
    BookSettings settings;
    QSettings ini(settingsPath(), QSettings::IniFormat);
    const int count = ini.beginReadArray(QStringLiteral("Colori"));
    for (int i = 0; i < count; ++i) {
        ini.setArrayIndex(i);
        bool ok = false;
        const int index = ini.value(QStringLiteral("colore")).toInt(&ok);
        if (ok)
            settings.colours.choose(ini.value(QStringLiteral("dentista")).toString(), index);
    }
    ini.endArray();
    settings.colours.setSaved();
    ini.beginGroup(QStringLiteral("Griglia"));
    const int first = ini.value(QStringLiteral("Dalle"), kDefaultHours.first / 60).toInt();
    const int last = ini.value(QStringLiteral("Alle"), kDefaultHours.last / 60).toInt();
    if (first >= 0 && last <= 24 && first < last)
        settings.hours = Hours{first * 60, last * 60};
    settings.compact = ini.value(QStringLiteral("Compatta"), false).toBool();
    ini.endGroup();
    return settings;
}

bool saveBookSettings(BookSettings &settings)
{
    QSettings ini(settingsPath(), QSettings::IniFormat);
    ini.remove(QStringLiteral("Colori"));
    const QStringList names = settings.colours.names();
    ini.beginWriteArray(QStringLiteral("Colori"), int(names.size()));
    for (int i = 0; i < names.size(); ++i) {
        ini.setArrayIndex(i);
        ini.setValue(QStringLiteral("dentista"), names[i]);
        ini.setValue(QStringLiteral("colore"), settings.colours.knownIndex(names[i]));
    }
    ini.endArray();
    ini.beginGroup(QStringLiteral("Griglia"));
    ini.setValue(QStringLiteral("Dalle"), settings.hours.first / 60);
    ini.setValue(QStringLiteral("Alle"), settings.hours.last / 60);
    ini.setValue(QStringLiteral("Compatta"), settings.compact);
    ini.endGroup();
    ini.sync();
    if (ini.status() != QSettings::NoError)
        return false;
    settings.colours.setSaved();
    return true;
}

} // namespace AppointmentBook
