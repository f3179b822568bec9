#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

// The rules of the practice's money, as data: amounts in whole cents (never floating point),
// the payment methods, the tax regimes and their exemption wording, the stamp duty, line
// amounts and the balance's words.
namespace Money {

// ---- Payment methods --------------------------------------------------------------------
// Every method but cash is traceable: only a traceable payment lets the patient deduct the
// expense (art. 1, c. 679, L. 160/2019, in force for dental services from 2020).
enum class Method { Contanti, Bancomat, Carta, Bonifico, Assegno };
inline constexpr int kMethodCount = 5;
// "contanti", "bancomat", "carta di credito", "bonifico", "assegno": as stored.
QString methodName(Method method);
// "Contanti", "Carta di credito": the drop-down's texts.
QString methodCaption(Method method);
QStringList methodCaptions();
// A stored name or a caption, any case; nothing for another text.
std::optional<Method> parseMethod(const QString &text);
bool isTraceable(Method method);

// ---- Tax regime and exemption -----------------------------------------------------------
enum class Regime { Ordinario, Forfettario };
QString regimeName(Regime regime);    // "ordinario", as stored
QString regimeCaption(Regime regime); // "Ordinario", the drop-down's text
std::optional<Regime> parseRegime(const QString &text);
// The wording printed on an invoice when the practice has not written its own:
//  - ordinario: a dentist's services to persons are exempt, art. 10, comma 1, n. 18,
//    DPR 633/1972;
//  - forfettario: the flat-rate scheme charges no VAT, art. 1, commi 54-89, L. 190/2014.
QString defaultExemption(Regime regime);

// ---- Stamp duty -------------------------------------------------------------------------
// An exempt invoice (or credit note) whose exempt amount exceeds € 77,47 bears a € 2,00
// stamp duty (DPR 642/1972, tariff art. 13 n. 1 note 1; amounts of art. 7-bis DL 43/2013):
// 77,47 no, 77,48 yes.
inline constexpr qint64 kStampThresholdCents = 7747;
inline constexpr qint64 kStampCents = 200;
bool stampDue(qint64 exemptCents);
// The line that charges it to the patient, and the sentence printed when it is due.
extern const QString kStampLine;     // "Imposta di bollo"
extern const QString kStampSentence; // "Imposta di bollo di € 2,00 assolta sull'originale."
// Printed on an invoice whose patient opposes the sending of its data.
extern const QString kOppositionSentence;
// The Sistema TS kind of expense for a dentist's services.
extern const QString kDefaultExpenseKind; // "SR"

// ---- Amounts ----------------------------------------------------------------------------
// The largest amount a price, a payment or a line may hold (€ 99.999.999,99), so that a
// line's quantity and discount are worked out in 64 bits without overflow.
inline constexpr qint64 kMaxCents = 9'999'999'999;
// An amount as typed or stored ("120", "120,5"), in cents; nothing for another text or one
// above kMaxCents.
std::optional<qint64> centsFromText(const QString &text);
inline constexpr int kMaxQuantity = 999;
// A percentage typed as an amount ("10", "12,5"), in hundredths of a percent, 0 to 100 %;
// nothing for another text.
std::optional<int> percentFromText(const QString &text);
QString percentText(int hundredths); // "12,50"
// A line's amount: quantity × unit price less a discount (hundredths of a percent),
// rounded half up to the cent once, here. Quantity 0 to kMaxQuantity, unit price 0 to
// kMaxCents, discount 0 to 10000. Totals are sums of line amounts.
qint64 lineCents(int quantity, qint64 unitCents, int discountHundredths = 0);
// "€ 120,00", "€ -5,00"
QString euro(qint64 cents);

// ---- Balance ----------------------------------------------------------------------------
// What a patient owes: the amounts of the treatments done less the payments.
struct Balance
{
    qint64 doneCents = 0;
    qint64 paidCents = 0;

    qint64 cents() const { return doneCents - paidCents; }
    enum class State { Owing, Even, Credit };
    State state() const;
    // "Saldo: € 120,00 da pagare", "Saldo: in pari", "Saldo: € 30,00 a credito"
    QString text() const;
};

// ---- Dates and numbers as stored ----------------------------------------------------------
QString dateText(const QDate &date); // "dd/MM/yyyy", empty for none
QDate parseDate(const QString &text);
// The same from a field's trimmed bytes (ShortString::trimmedBytes), for scans.
QDate parseDate(QByteArrayView trimmedBytes);
extern const QString kYes; // "Sì"
extern const QString kNo;  // "No"
inline QString flagText(bool on) { return on ? kYes : kNo; }
bool isYes(const QString &text);
bool isYes(QByteArrayView trimmedBytes); // Windows-1252 bytes

} // namespace Money
