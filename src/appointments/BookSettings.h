#pragma once

#include "appointments/AppointmentBook.h"

#include <QHash>
#include <QString>
#include <QStringList>

// What the appointment book remembers between runs, in its settings file beside the archive:
// the colour of each dentist (chosen by the practice, or given by the book the first time it
// meets the dentist), the hours shown and whether the rows are compact.
namespace AppointmentBook {

inline const QString kBookSettingsFile = QStringLiteral("Calendario_appuntamenti.ini");

// The colours of the practice's dentists. A dentist the book meets for the first time takes
// the first colour of the palette no dentist has yet (while any is left; after that the
// colour the fewest dentists share), so colours never change under a dentist's feet and no
// two dentists share one while there are colours left.
class DentistColours
{
public:
    // The colour of a dentist (-1 for no dentist); gives one to a dentist met for the first
    // time (`changed()` tells that there is something to save).
    int indexOf(const QString &dentist);
    // The colour without giving one: -1 for a dentist not met yet.
    int knownIndex(const QString &dentist) const;
    // The practice's choice.
    void choose(const QString &dentist, int index);
    // The dentists known, in the order they were met, as first written.
    QStringList names() const { return m_names; }
    bool changed() const { return m_changed; }
    void setSaved() { m_changed = false; }

private:
    QStringList m_names;
    QStringList m_keys;
    QHash<QString, int> m_index; // by dentistKey
    bool m_changed = false;
};

struct BookSettings
{
    DentistColours colours;
    Hours hours = kDefaultHours;
    bool compact = false;
};
// Reads the settings file of the program folder (defaults for a missing or damaged one).
BookSettings loadBookSettings();
// Writes it; false when it cannot be written.
bool saveBookSettings(BookSettings &settings);

} // namespace AppointmentBook
