#pragma once

#include "billing/BillingRecords.h"
#include "billing/DocumentNumber.h"
#include "billing/PriceList.h"
#include "chart/Odontogram.h"

#include <QDate>
#include <QList>
#include <QMap>
#include <QString>
#include <QTime>

#include <optional>

// "Preventivo": estimates ("Preventivi.pro", "Righe_Preventivi.pro"), numbered per year in a
// series of their own ("P 12/2026"). Unlike an invoice an estimate changes (its state, its
// lines, a line done): a save writes its lines anew and then its header over the old one
// through the journal, so a save cut short leaves the estimate as it was.
namespace Estimates {

enum class State { Proposto, Accettato, Rifiutato };
QString stateName(State state); // "proposto", as stored
std::optional<State> parseState(const QString &text);

struct Line
{
    QString tooth;    // FDI number, or empty
    QString work;     // odontogram state, or empty for a free line
    QString surfaces; // among "MDOVL"
    QString description;
    int quantity = 1;
    qint64 unitCents = 0;
    bool done = false;
    // Its treatment's position in the patient's register once written; negative while being
    // written (a stop there is finished by the next writeDone); 0 before.
    qint64 registerPosition = 0;

    bool operator==(const Line &) const = default;
};

struct Estimate
{
    qint64 position = 0; // in "Preventivi.pro"; 0 before its first save
    DocumentNumber number;
    qint64 patient = 0;
    QDate date;
    QDate validUntil;
    State state = State::Proposto;
    int discount = 0; // hundredths of a percent, on every line
    QList<Line> lines;

    QString numberText() const; // "P 12/2026"
    // A line's amount: quantity × price less the discount, rounded once.
    qint64 lineCents(qsizetype index) const;
    // The sum of the line amounts.
    qint64 totalCents() const;
    bool operator==(const Estimate &) const = default;
};

// The lines of a chart's plan (the chart's plan list: every tooth whose latest state is
// planned, "da fare", in FDI order), priced from the list by its work; a work the list does not price gets its chart
// name and no price.
QList<Line> fromPlan(const QMap<int, Odontogram::ToothState> &latest, const QList<PriceList::Item> &priceList);

// Why an estimate cannot be saved, or empty.
QString refusal(const Estimate &estimate);
// Writes the estimate, once refusal() is empty: a new one is numbered in its year's series under the archive's lock.
// Returns it as written (number, position). Throws StorageError.
Estimate save(const QString &programFolder, const Estimate &estimate);
std::optional<Estimate> find(const QString &programFolder, const DocumentNumber &number);
QList<Estimate> ofPatient(const QString &programFolder, qint64 patient);

// The done lines of an accepted estimate become treatments of the patient's register (date,
// time, the line's description and tooth, dentist, the line's amount), each once: before a
// treatment is appended its line records the position it will take, so a save cut short is
// finished by the next call, never written twice. Returns how many treatments were written. Throws
// StorageError.
int writeDone(const QString &programFolder, const DocumentNumber &number, const QDate &date, const QTime &time,
              const QString &dentist);

} // namespace Estimates
