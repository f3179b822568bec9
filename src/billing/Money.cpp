#include "billing/Money.h"

#include "base/Amount.h"
#include "storage/AnsiText.h"

namespace Money {

namespace {

struct MethodRow
{
    Method method;
    const char *name;
    const char *caption;
    bool traceable;
};

constexpr MethodRow kMethods[kMethodCount] = {
    {Method::Contanti, "contanti", "Contanti", false},
    {Method::Bancomat, "bancomat", "Bancomat", true},
    {Method::Carta, "carta di credito", "Carta di credito", true},
    {Method::Bonifico, "bonifico", "Bonifico", true},
    {Method::Assegno, "assegno", "Assegno", true},
};

const MethodRow &row(Method method) { return kMethods[int(method)]; }

} // namespace

QString methodName(Method method) { return QString::fromLatin1(row(method).name); }
QString methodCaption(Method method) { return QString::fromLatin1(row(method).caption); }

QStringList methodCaptions()
{
    QStringList out;
    for (const MethodRow &r : kMethods)
        out.append(QString::fromLatin1(r.caption));
    return out;
}

std::optional<Method> parseMethod(const QString &text)
{
    const QString t = AnsiText::trimmed(text);
    for (const MethodRow &r : kMethods)
        if (t.compare(QLatin1String(r.name), Qt::CaseInsensitive) == 0)
            return r.method;
    return std::nullopt;
}

bool isTraceable(Method method) { return row(method).traceable; }

QString regimeName(Regime regime)
{
    return regime == Regime::Ordinario ? QStringLiteral("ordinario") : QStringLiteral("forfettario");
}

QString regimeCaption(Regime regime)
{
    return regime == Regime::Ordinario ? QStringLiteral("Ordinario") : QStringLiteral("Forfettario");
}

std::optional<Regime> parseRegime(const QString &text)
{
    const QString t = AnsiText::trimmed(text);
    for (Regime r : {Regime::Ordinario, Regime::Forfettario})
        if (t.compare(regimeName(r), Qt::CaseInsensitive) == 0)
            return r;
    return std::nullopt;
}

QString defaultExemption(Regime regime)
{
    if (regime == Regime::Ordinario)
        return QStringLiteral("Operazione esente da IVA ai sensi dell'art. 10, comma 1, n. 18, del DPR 633/1972.");
    return QStringLiteral("Operazione effettuata ai sensi dell'art. 1, commi da 54 a 89, della Legge n. 190/2014 "
                          "(regime forfettario): operazione senza applicazione dell'IVA.");
}

bool stampDue(qint64 exemptCents) { return exemptCents > kStampThresholdCents; }

const QString kStampLine = QStringLiteral("Imposta di bollo");
const QString kStampSentence = QStringLiteral("Imposta di bollo di \u20AC 2,00 assolta sull'originale.");
const QString kOppositionSentence =
    QStringLiteral("Il paziente si oppone all'invio dei dati della presente fattura al Sistema Tessera Sanitaria.");
const QString kDefaultExpenseKind = QStringLiteral("SR");

std::optional<qint64> centsFromText(const QString &text)
{
    const std::optional<qint64> cents = Amount::toCents(text);
    if (!cents || *cents > kMaxCents)
        return std::nullopt;
    return cents;
}

std::optional<int> percentFromText(const QString &text)
{
    // The same digits and comma as an amount, so "12,5" is 1250 hundredths.
    const std::optional<qint64> hundredths = Amount::toCents(text);
    if (!hundredths || *hundredths > 10000)
        return std::nullopt;
    return int(*hundredths);
}

QString percentText(int hundredths) { return Amount::fromCents(hundredths); }

qint64 lineCents(int quantity, qint64 unitCents, int discountHundredths)
{
    // quantity × unit × (10000 − discount) / 10000, half up: one rounding, on integers.
    Q_ASSERT(quantity >= 0 && quantity <= kMaxQuantity && unitCents >= 0 && unitCents <= kMaxCents);
    Q_ASSERT(discountHundredths >= 0 && discountHundredths <= 10000);
    const qint64 gross = qint64(quantity) * unitCents; // below 10^13: no overflow below
    const qint64 scaled = gross * (10000 - discountHundredths);
    return (scaled + 5000) / 10000;
}

QString euro(qint64 cents) { return QStringLiteral("\u20AC ") + Amount::fromCents(cents); }

Balance::State Balance::state() const
{
    const qint64 c = cents();
    return c > 0 ? State::Owing : c == 0 ? State::Even : State::Credit;
}

QString Balance::text() const
{
    switch (state()) {
    case State::Owing:
        return QStringLiteral("Saldo: ") + euro(cents()) + QStringLiteral(" da pagare");
    case State::Even:
        return QStringLiteral("Saldo: in pari");
    case State::Credit:
        break;
    }
    return QStringLiteral("Saldo: ") + euro(-cents()) + QStringLiteral(" a credito");
}

QString dateText(const QDate &date) { return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : QString(); }

namespace {

// "dd/MM/yyyy" by hand: QDate::fromString with a format costs microseconds, and the register
// and the income read a date from every record of their files.
uint codeOf(QChar c) { return c.unicode(); }
uint codeOf(char c) { return static_cast<unsigned char>(c); }

template <class View> QDate dateOf(View t)
{
    if (t.size() != 10 || codeOf(t.at(2)) != '/' || codeOf(t.at(5)) != '/')
        return QDate();
    int digits[8];
    int n = 0;
    for (int i : {0, 1, 3, 4, 6, 7, 8, 9}) {
        const uint c = codeOf(t.at(i));
        if (c < '0' || c > '9')
            return QDate();
        digits[n++] = int(c - '0');
    }
    const int day = digits[0] * 10 + digits[1];
    const int month = digits[2] * 10 + digits[3];
    const int year = digits[4] * 1000 + digits[5] * 100 + digits[6] * 10 + digits[7];
    return QDate::isValid(year, month, day) ? QDate(year, month, day) : QDate();
}

} // namespace

QDate parseDate(const QString &text)
{
    const QString t = AnsiText::trimmed(text);
    return dateOf(QStringView(t));
}

QDate parseDate(QByteArrayView trimmedBytes) { return dateOf(trimmedBytes); }

const QString kYes = QStringLiteral("S\u00EC");
const QString kNo = QStringLiteral("No");

bool isYes(const QString &text) { return AnsiText::trimmed(text) == kYes; }

bool isYes(QByteArrayView trimmedBytes) { return trimmedBytes == QByteArrayView("S\xEC", 2); }

} // namespace Money
