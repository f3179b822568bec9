#include "support/Fixtures.h"

#include "support/TestSupport.h"

TAppointmentRecord appointmentRecord(const AppointmentFixture &c)
{
    TAppointmentRecord r{};
    r.Data.setText(c.data);
    r.OreApp.setText(c.ore);
    r.MinutiApp.setText(c.minuti);
    r.Ora.setText(c.ora.value_or(c.ore + QLatin1Char(':') + c.minuti));
    r.Avviso.setText(c.avviso);
    r.Tipologia.setText(c.tipologia);
    r.Causale.setText(c.causale);
    r.Dettagli.setText(c.dettagli);
    r.Contatto.setText(c.contatto);
    r.Tel.setText(c.tel);
    r.Cel.setText(c.cel);
    r.Email.setText(c.email);
    r.Luogo.setText(c.luogo);
    r.Importo.setText(c.importo);
    r.Note.setText(c.note);
    r.Ottemperata.setText(c.flag);
    return r;
}

void writeAppointmentArchive(const QList<AppointmentFixture> &cards)
{
    QList<TAppointmentRecord> records;
    for (const AppointmentFixture &c : cards)
        records.append(appointmentRecord(c));
    writeRecords(kAppointmentArchive, records);
}

TPatientRecord patientRecord(const PatientFixture &c)
{
    TPatientRecord r{};
    r.Name.setText(c.name);
    r.Gender.setText(c.gender);
    r.BirthDate.setText(c.birthDate);
    r.BirthPlace.setText(c.birthPlace);
    r.Street.setText(c.street);
    r.City.setText(c.city);
    r.State.setText(c.state);
    r.Zip.setText(c.zip);
    r.Citizenship.setText(c.citizenship);
    r.TaxNumber.setText(c.taxNumber);
    r.SSN.setText(c.ssn);
    r.Email.setText(c.email);
    r.HomePhone.setText(c.homePhone);
    r.MobilePhone.setText(c.mobilePhone);
    r.Occupation.setText(c.occupation);
    r.Work.setText(c.work);
    r.Pathologies.setText(c.pathologies);
    r.Drugs.setText(c.drugs);
    r.Allergies.setText(c.allergies);
    r.Problems.setText(c.problems);
    r.Issues.setText(c.issues);
    r.Communication.setText(c.communication);
    r.Dentist.setText(c.dentist);
    r.Times.setText(c.times);
    r.Status.setText(c.status);
    r.Notes.setText(c.notes);
    for (int tooth = 1; tooth <= 32; ++tooth)
        r.dente(tooth).setText(c.teeth.value(tooth - 1));
    ShortString<250> *attachments[] = {&r.File01, &r.File02, &r.File03, &r.Desc01, &r.Desc02, &r.Desc03};
    for (int i = 0; i < 6; ++i)
        attachments[i]->setText(c.attachments.value(i));
    return r;
}

void writePatientArchive(const QList<PatientFixture> &cards)
{
    QList<TPatientRecord> records;
    for (const PatientFixture &c : cards)
        records.append(patientRecord(c));
    writeRecords(kPatientArchive, records);
}
