#pragma once

#include "storage/AppointmentRecord.h"
#include "storage/PatientRecord.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The cards the tests write, one builder per record type. Fields stand in the record's
// order, so a test names those it needs: AppointmentFixture{.data = ..., .contatto = ...}.

// One appointment card. The defaults make an ordinary card, not fulfilled and imminent on
// the test world's today (10/12/2026). The saved time is hours ":" minutes unless given.
struct AppointmentFixture
{
    QString data = QStringLiteral("10/12/2026");
    QString ore = QStringLiteral("09");
    QString minuti = QStringLiteral("00");
    std::optional<QString> ora = std::nullopt;
    QString avviso = QStringLiteral("0");
    QString tipologia{};
    QString causale = QStringLiteral("Igiene dentale");
    QString dettagli{};
    QString contatto = QStringLiteral("Rossi Mario");
    QString tel{};
    QString cel = QStringLiteral("3331234567");
    QString email{};
    QString luogo{};
    QString importo = QStringLiteral("80,00");
    QString note{};
    QString flag = kFlagNo;
};

TAppointmentRecord appointmentRecord(const AppointmentFixture &card);
// The appointment archive of the current program folder: one record a card, in order.
void writeAppointmentArchive(const QList<AppointmentFixture> &cards);

// One patient card: every field the card shows, then the 32 tooth texts (tooth 1 first)
// and the six attachment texts (File01-03, Desc01-03); missing ones are empty.
struct PatientFixture
{
    QString name = QStringLiteral("Rossi Mario");
    QString gender{};
    QString birthDate{};
    QString birthPlace{};
    QString street{};
    QString city{};
    QString state{};
    QString zip{};
    QString citizenship{};
    QString taxNumber{};
    QString ssn{};
    QString email{};
    QString homePhone{};
    QString mobilePhone = QStringLiteral("3331234567");
    QString occupation{};
    QString work{};
    QString pathologies{};
    QString drugs{};
    QString allergies{};
    QString problems{};
    QString issues{};
    QString communication{};
    QString dentist{};
    QString times{};
    QString status{};
    QString notes{};
    QStringList teeth{};
    QStringList attachments{};
};

TPatientRecord patientRecord(const PatientFixture &card);
// The patient archive of the current program folder: one record a card, in order.
void writePatientArchive(const QList<PatientFixture> &cards);
