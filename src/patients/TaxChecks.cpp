#include "patients/TaxChecks.h"

#include <array>

namespace TaxChecks {

const QString kCfLength =
    QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici.");
const QString kCfValid = QStringLiteral("Il codice fiscale digitato è VALIDO.");
const QString kCfWrong = QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO.");
const QString kPivaLength = QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.");
const QString kPivaWrong = QStringLiteral("Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\n"
                                          "Non è quindi possibile fornire informazioni relative all'Ufficio IVA "
                                          "che lo ha rilasciato.");

namespace {

// Odd positions: the digits 0 to 9, then the letters A to Z.
constexpr std::array<int, 10> kOddDigits = {1, 0, 5, 7, 9, 13, 15, 17, 19, 21};
constexpr std::array<int, 26> kOddLetters = {1,  0,  5, 7, 9, 13, 15, 17, 19, 21, 2,  4,  18,
                                             20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};

QString upperAZ(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        if (c.unicode() >= 'a' && c.unicode() <= 'z')
            c = QChar(char16_t(c.unicode() - 32));
    return out;
}

struct Office
{
    int code;
    const char *name; // UTF-8
};

const Office kOffices[] = {
    {1, "Torino"},
    {2, "Vercelli"},
    {3, "Novara"},
    {4, "Cuneo"},
    {5, "Asti"},
    {6, "Alessandria"},
    {7, "Aosta"},
    {8, "Imperia"},
    {9, "Savona"},
    {10, "Genova 1"},
    {11, "La Spezia"},
    {12, "Varese"},
    {13, "Como"},
    {14, "Sondrio"},
    {15, "Milano 1"},
    {16, "Bergamo"},
    {17, "Brescia 1"},
    {18, "Pavia"},
    {19, "Cremona"},
    {20, "Mantova"},
    {21, "Bolzano"},
    {22, "Trento"},
    {23, "Verona"},
    {24, "Vicenza"},
    {25, "Belluno"},
    {26, "Treviso"},
    {27, "Venezia"},
    {28, "Padova"},
    {29, "Rovigo"},
    {30, "Udine"},
    {31, "Gorizia"},
    {32, "Trieste"},
    {33, "Piacenza"},
    {34, "Parma"},
    {35, "Reggio Emilia"},
    {36, "Modena"},
    {37, "Bologna 1"},
    {38, "Ferrara"},
    {39, "Ravenna"},
    {40, "Forlì"},
    {41, "Pesaro"},
    {42, "Ancona"},
    {43, "Macerata"},
    {44, "Ascoli Piceno"},
    {45, "Massa Carrara"},
    {46, "Lucca"},
    {47, "Pistoia"},
    {48, "Firenze 1"},
    {49, "Livorno"},
    {50, "Pisa"},
    {51, "Arezzo"},
    {52, "Siena"},
    {53, "Grosseto"},
    {54, "Perugia"},
    {55, "Terni"},
    {56, "Viterbo"},
    {57, "Rieti"},
    {58, "Roma 1"},
    {59, "Latina"},
    {60, "Frosinone"},
    {61, "Caserta"},
    {62, "Benevento"},
    {63, "Napoli 1"},
    {64, "Avellino"},
    {65, "Salerno"},
    {66, "Aquila"},
    {67, "Teramo"},
    {68, "Pescara"},
    {69, "Chieti"},
    {70, "Campobasso"},
    {71, "Foggia"},
    {72, "Bari"},
    {73, "Taranto"},
    {74, "Brindisi"},
    {75, "Lecce"},
    {76, "Potenza"},
    {77, "Matera"},
    {78, "Cosenza"},
    {79, "Catanzaro"},
    {80, "Reggio Calabria"},
    {81, "Trapani"},
    {82, "Palermo"},
    {83, "Messina"},
    {84, "Agrigento"},
    {85, "Caltanissetta"},
    {86, "Enna"},
    {87, "Catania"},
    {88, "Ragusa"},
    {89, "Siracusa"},
    {90, "Sassari"},
    {91, "Nuoro"},
    {92, "Cagliari"},
    {93, "Pordenone"},
    {94, "Isernia"},
    {95, "Oristano"},
    {96, "Monza (Milano 2)"},
    {97, "Prato (Firenze 2)"},
    {98, "Brescia 2"},
    {99, "Chiavari (Genova 2)"},
    {100, "Roma 2"},
    {101, "Bologna 2"},
    {102, "Napoli 2"},
    {120, "Bologna 2"},
    {121, "Napoli 2"},
};

bool isDigit(QChar c) { return c.unicode() >= '0' && c.unicode() <= '9'; }

} // namespace

std::optional<int> oddValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return kOddDigits[u - '0'];
    if (u >= 'A' && u <= 'Z')
        return kOddLetters[u - 'A'];
    if (u >= 58 && u <= 64)
        return 0;
    return std::nullopt;
}

std::optional<int> evenValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return int(u - '0');
    if (u >= 'A' && u <= 'Z')
        return int(u - 'A');
    if (u >= 58 && u <= 64)
        return 0;
    return std::nullopt;
}

std::optional<QChar> checkCharacter(const QString &first15)
{
    if (first15.size() < 15)
        return std::nullopt;
    int sum = 0;
    for (int i = 0; i < 15; ++i) {
        // Position i + 1: odd for i even.
        const std::optional<int> value = i % 2 == 0 ? oddValue(first15.at(i)) : evenValue(first15.at(i));
        if (!value)
            return std::nullopt;
        sum += *value;
    }
    return QChar(char16_t('A' + sum % 26));
}

Result codiceFiscale(const QString &typed)
{
    const QString s = upperAZ(typed);
    if (s.size() != 16)
        return Result::WrongLength;
    // A character outside the tables gives no check character at all: such a code is wrong.
    const std::optional<QChar> expected = checkCharacter(s.left(15));
    return expected && s.at(15) == *expected ? Result::Valid : Result::Wrong;
}

Result partitaIva(const QString &typed)
{
    const QString s = upperAZ(typed);
    if (s.size() != 11)
        return Result::WrongLength;
    for (QChar c : s)
        if (!isDigit(c))
            return Result::Wrong;
    int sum = 0;
    for (int i = 0; i < 10; ++i) {
        const int d = s.at(i).unicode() - '0';
        sum += i % 2 == 0 ? d : (d <= 4 ? 2 * d : 2 * d - 9); // position i + 1
    }
    const int expected = (10 - sum % 10) % 10;
    return s.at(10).unicode() - '0' == expected ? Result::Valid : Result::Wrong;
}

QString officeName(const QString &code)
{
    if (code.size() != 3 || !isDigit(code.at(0)) || !isDigit(code.at(1)) || !isDigit(code.at(2)))
        return {};
    const int number = code.toInt();
    for (const Office &office : kOffices)
        if (office.code == number)
            return QString::fromUtf8(office.name);
    return {};
}

QString officeOf(const QString &partitaIva) { return officeName(partitaIva.mid(7, 3)); }

bool looksLikePartitaIva(const QString &trimmedTaxNumber)
{
    if (trimmedTaxNumber.isEmpty())
        return false;
    for (QChar c : trimmedTaxNumber)
        if (!isDigit(c))
            return false;
    return true;
}

QString pivaValid(const QString &office)
{
    return QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
                          "E' stato rilasciato dall'Ufficio IVA del Comune di ")
           + office + QLatin1Char('.');
}

} // namespace TaxChecks
