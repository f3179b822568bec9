#include "appointments/AppointmentCard.h"

#include "storage/AppointmentRecord.h"

namespace AppointmentCard {

namespace {

using CardFields::Kind;
using T = CardFields::Typing;
constexpr Kind Edit = Kind::LineEdit;

// x of the notes and the check box (the captions' column), of the fields, just after a
// full field, and just after a field with a button beside it.
constexpr int kCaption = 14;
constexpr int kField = 214;
constexpr int kRight = 734;
constexpr int kBesideField = kRight - 26 - 8 - 6;

// Printed with the card's caption.
constexpr const char *P = "";

// In file order, which is also the reading order and the order of the Tab and Enter keys.
const CardFields::Field kFields[] = {
    {"Data",
     Edit,
     "txtData",
     "Data appuntamento:",
     10,
     T::Free,
     {0, kField, kField + 140},
     "la data dell'appuntamento",
     P,
     "Data appuntamento (gg/mm/aaaa):",
     CardFields::Centred | CardFields::ReadOnly},
    {"OreApp",
     Kind::Choice,
     "txtOreApp",
     "Ore:",
     23,
     T::Free,
     {0, 464, 544, 420, 458},
     {},
     nullptr,
     {},
     CardFields::Plain,
     "lblOre"},
    {"MinutiApp",
     Kind::Choice,
     "txtMinutiApp",
     "Minuti:",
     59,
     T::Free,
     {0, 623, 703, 562, 617},
     {},
     nullptr,
     {},
     CardFields::Plain,
     "lblMinuti"},
    {"Ora", Kind::Composed, "txtOra", nullptr, 0, T::Free, {}, {}, "Ora:", "Ora (hh:mm):"},
    {"Avviso",
     Edit,
     "txtAvviso",
     "Giorni di preavviso:",
     3,
     T::Digits,
     {1, kField, kField + 70},
     "i giorni di preavviso rispetto alla data dell'appuntamento",
     nullptr,
     {},
     CardFields::Centred},
    {"Tipologia", Edit, "txtTipologia", "Dentista:", 50, T::Free, {3, kField, kRight}, {}, P},
    {"Causale",
     Edit,
     "txtCausale",
     "Trattamenti dentali:",
     250,
     T::Free,
     {4, kField, kRight},
     "i trattamenti dentali da effettuare",
     P},
    {"Dettagli", Edit, "txtDettagli", "Dettagli:", 250, T::Free, {5, kField, kRight}, {}, P},
    {"Contatto",
     Edit,
     "txtContatto",
     "Cognome e nome:",
     50,
     T::Free,
     {7, kField, kBesideField},
     "il nome del paziente",
     "Paziente:",
     "Cognome e nome paziente:"},
    {"Tel", Edit, "txtTel", "Telefono:", 30, T::Free, {8, kField, kRight}, {}, P},
    {"Cel",
     Edit,
     "txtCel",
     "Cellulare:",
     30,
     T::Digits,
     {9, kField, kBesideField},
     "il numero di cellulare del paziente",
     P},
    {"Email", Edit, "txtEmail", "E-mail:", 50, T::NoOuterBlanks, {10, kField, kBesideField}, {}, P},
    {"Luogo", Edit, "txtLuogo", "Modalità di pagamento:", 250, T::Free, {11, kField, kRight}, {}, P},
    {"Importo",
     Edit,
     "txtImporto",
     "Importo:",
     15,
     T::Amount,
     {12, kField, kField + 180},
     {},
     P,
     {},
     CardFields::Right},
    // Under its banner, without a caption of its own.
    {"Note", Edit, "txtNote", nullptr, 250, T::Free, {14, kCaption, kRight}, {}, "Note:", "Note:"},
    {"Ottemperata",
     Kind::CheckBox,
     "chkOttemperata",
     "Impegno assolto",
     0,
     T::Free,
     {15, kCaption, kField - 12},
     {},
     "Impegno assolto:"},
};

QString compose(const char *field, const CardFields::Texts &texts)
{
    Q_UNUSED(field); // the time is the only composed field
    return texts("OreApp") + QLatin1Char(':') + texts("MinutiApp");
}

} // namespace

const CardFields::Description &description()
{
    static const CardFields::Description card{TAppointmentRecord::fields(), kFields, kFlagYes, kFlagNo, compose};
    return card;
}

} // namespace AppointmentCard
