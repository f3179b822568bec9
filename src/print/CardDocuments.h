#pragma once

#include "base/CardFields.h"
#include "print/Report.h"

#include <QDateTime>
#include <QList>
#include <QString>

// The card documents: one A4 portrait page, a heading bar, one framed row per field with its
// label on the left and its value on the right, and a foot bar with the date and time of
// printing. Every value prints on one line, cut at the right edge of its box. The rows come
// from the card's description: its printed fields, in its order.
namespace CardDocuments {

struct Row
{
    QString label;
    QString name; // the value box: "txt" and the name of the field's control after its prefix
    QString value;
};

// "dd/mm/yyyy alle ore hh:mm:ss"
QString moment(const QDateTime &now);

// The printed rows of a card from the texts of its fields (trimmed here): each field the
// description prints, with its printed caption and its printed text (CardFields::printedText).
QList<Row> rows(const CardFields::Description &description, const CardFields::Texts &texts);
// The same from a record of the card.
QList<Row> rows(const CardFields::Description &description, const char *record);

// The appointment card ("SCHEDA APPUNTAMENTO") and the patient card ("SCHEDA PAZIENTE").
Report::Document appointmentCard(const QList<Row> &rows, const QDateTime &now);
Report::Document patientCard(const QList<Row> &rows, const QDateTime &now);

} // namespace CardDocuments
