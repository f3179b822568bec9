#include "manual/Practice.h"

#include "platform/Clock.h"
#include "platform/ProgramFolder.h"
#include "storage/AppointmentRecord.h"
#include "storage/PatientRecord.h"
#include "storage/RecordFile.h"
#include "storage/TreatmentRecord.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

namespace Practice {

namespace {

const QString kMartinelli = QStringLiteral("Dott.ssa Elena Martinelli");
const QString kColombini = QStringLiteral("Dott. Andrea Colombini");

struct Patient
{
    const char *name, *gender, *birthDate, *birthPlace, *street, *city, *state, *zip, *taxNumber, *email, *homePhone,
        *mobile, *occupation, *work, *pathologies, *drugs, *allergies, *problems, *issues, *payment, *dentist, *times,
        *status, *notes;
};

// Codici fiscali are left empty on purpose: an invented one could be somebody's real code.
const Patient kPatients[] = {
    {"Ferraresi Giulia",
     "F",
     "12/03/1985",
     "Bologna",
     "Via dei Mille 14",
     "Bologna",
     "BO",
     "40121",
     "",
     "giulia.ferraresi@example.org",
     "0510000123",
     "393330000101",
     "Insegnante",
     "Scuola primaria Arcobaleno",
     "Nessuna",
     "Nessuno",
     "Penicillina",
     "Sensibilità ai denti anteriori",
     "",
     "Bancomat",
     "martinelli",
     "Mattina, prima delle 11",
     "In regola",
     "Preferisce i promemoria su WhatsApp"},
    {"Montanari Luca",
     "M",
     "28/07/1979",
     "Modena",
     "Viale Trento 3",
     "Modena",
     "MO",
     "41121",
     "",
     "luca.montanari@example.org",
     "0590000456",
     "393330000102",
     "Geometra",
     "Studio tecnico Montanari",
     "Ipertensione",
     "Antipertensivo",
     "Nessuna",
     "Impianto in zona 36",
     "Saldo del preventivo dell'impianto da concordare",
     "Bonifico bancario",
     "colombini",
     "Tardo pomeriggio",
     "Acconto versato",
     ""},
    {"Bellandi Chiara",
     "F",
     "05/11/1992",
     "Ferrara",
     "Via Garibaldi 88",
     "Ferrara",
     "FE",
     "44121",
     "",
     "chiara.bellandi@example.org",
     "",
     "393330000103",
     "Grafica",
     "Lavoro da casa",
     "Nessuna",
     "Nessuno",
     "Lattice",
     "Carie multiple",
     "",
     "Contanti",
     "martinelli",
     "Pomeriggio",
     "In regola",
     ""},
    {"Castellucci Paolo",
     "M",
     "19/01/1968",
     "Ravenna",
     "Piazza del Popolo 2",
     "Ravenna",
     "RA",
     "48121",
     "",
     "paolo.castellucci@example.org",
     "0544000789",
     "393330000104",
     "Commerciante",
     "Negozio di ferramenta",
     "Diabete di tipo 2",
     "Metformina",
     "Nessuna",
     "Sbiancamento in corso",
     "",
     "Carta di credito",
     "martinelli",
     "Lunedì e mercoledì",
     "In regola",
     "Cliente dal 2015"},
    {"Rinaldini Sofia",
     "F",
     "30/06/2015",
     "Imola",
     "Via Emilia 250",
     "Imola",
     "BO",
     "40026",
     "",
     "famiglia.rinaldini@example.org",
     "0542000321",
     "393330000105",
     "Studentessa",
     "Scuola media Dante",
     "Nessuna",
     "Nessuno",
     "Nessuna",
     "Apparecchio ortodontico",
     "Consenso firmato dal genitore da ritirare",
     "Bancomat",
     "colombini",
     "Dopo le 16",
     "In regola",
     "Accompagnata dalla madre"},
    {"Venturelli Marco",
     "M",
     "14/09/1988",
     "Cesena",
     "Via Roma 7",
     "Cesena",
     "FC",
     "47521",
     "",
     "marco.venturelli@example.org",
     "",
     "393330000106",
     "Infermiere",
     "Ospedale civile",
     "Nessuna",
     "Nessuno",
     "Nessuna",
     "Bruxismo notturno",
     "",
     "Contanti",
     "martinelli",
     "Turni: chiamare prima",
     "In regola",
     ""},
    {"Orsolini Teresa",
     "F",
     "02/02/1954",
     "Forlì",
     "Corso Mazzini 41",
     "Forlì",
     "FC",
     "47121",
     "",
     "teresa.orsolini@example.org",
     "0543000654",
     "393330000107",
     "Pensionata",
     "",
     "Osteoporosi",
     "Bifosfonati",
     "Nessuna",
     "Protesi parziale inferiore",
     "",
     "Bonifico bancario",
     "colombini",
     "Mattina",
     "In regola",
     "Informare il dentista della terapia con bifosfonati"},
    {"Gambarini Davide",
     "M",
     "23/10/2001",
     "Rimini",
     "Via Tiberio 12",
     "Rimini",
     "RN",
     "47921",
     "",
     "davide.gambarini@example.org",
     "",
     "393330000108",
     "Studente",
     "Università",
     "Nessuna",
     "Nessuno",
     "Nessuna",
     "Dente del giudizio incluso",
     "",
     "Contanti",
     "colombini",
     "Sabato mattina",
     "In regola",
     ""},
};

struct Appointment
{
    const char *date, *hours, *minutes, *lead;
    const char *dentist; // "martinelli" or "colombini"
    const char *treatments, *details;
    int patient; // index into kPatients
    const char *amount, *notes;
    bool fulfilled;
};

// The practice's day is Thursday 10 December 2026 (the clock below).
const Appointment kAppointments[] = {
    {"11/12/2026", "15", "30", "3", "martinelli", "Otturazione in composito del dente 36", "Anestesia locale", 2,
     "90,00", "Portare la radiografia recente", false},
    {"10/12/2026", "10", "30", "2", "martinelli", "Pulizia e ablazione del tartaro", "", 0, "70,00", "", false},
    {"11/12/2026", "09", "00", "3", "colombini", "Controllo dell'impianto", "Radiografia endorale", 1, "0,00", "",
     false},
    {"14/12/2026", "17", "00", "5", "martinelli", "Sbiancamento, seconda seduta", "", 3, "150,00", "", false},
    {"07/12/2026", "11", "00", "3", "martinelli", "Visita di controllo", "", 5, "40,00", "Da richiamare", false},
    {"22/12/2026", "18", "00", "15", "colombini", "Protesi: prova della struttura", "", 1, "0,00", "", false},
    {"18/12/2026", "16", "30", "7", "colombini", "Controllo dell'apparecchio ortodontico", "", 4, "50,00", "", false},
    {"03/12/2026", "16", "00", "3", "colombini", "Devitalizzazione del dente 46", "Seconda seduta", 6, "180,00", "",
     true},
    {"28/11/2026", "09", "30", "3", "colombini", "Estrazione del dente del giudizio", "", 7, "120,00", "", true},
    {"12/01/2027", "10", "00", "10", "martinelli", "Controllo semestrale", "", 0, "60,00", "", false},
    {"02/12/2026", "12", "00", "2", "martinelli", "Pulizia e ablazione del tartaro", "", 2, "70,00", "", true},
};

QString dentist(const char *key)
{
    return QLatin1String(key) == QLatin1String("martinelli") ? kMartinelli : kColombini;
}

QString u(const char *text) { return QString::fromUtf8(text); }

void writePatients()
{
    RecordFile file(ProgramFolder::file(QStringLiteral("Archivio_Pazienti.pro")), TPatientRecord::Size);
    file.open(RecordFile::Write);
    for (const Patient &p : kPatients) {
        TPatientRecord r{};
        r.Name.setText(u(p.name));
        r.Gender.setText(u(p.gender));
        r.BirthDate.setText(u(p.birthDate));
        r.BirthPlace.setText(u(p.birthPlace));
        r.Street.setText(u(p.street));
        r.City.setText(u(p.city));
        r.State.setText(u(p.state));
        r.Zip.setText(u(p.zip));
        r.Citizenship.setText(QStringLiteral("Italiana"));
        r.TaxNumber.setText(u(p.taxNumber));
        r.Email.setText(u(p.email));
        r.HomePhone.setText(u(p.homePhone));
        r.MobilePhone.setText(u(p.mobile));
        r.Occupation.setText(u(p.occupation));
        r.Work.setText(u(p.work));
        r.Pathologies.setText(u(p.pathologies));
        r.Drugs.setText(u(p.drugs));
        r.Allergies.setText(u(p.allergies));
        r.Problems.setText(u(p.problems));
        r.Issues.setText(u(p.issues));
        r.Communication.setText(u(p.payment));
        r.Dentist.setText(dentist(p.dentist));
        r.Times.setText(u(p.times));
        r.Status.setText(u(p.status));
        r.Notes.setText(u(p.notes));
        file.append(r);
    }
    // A few teeth of the first patient, for the dental chart.
    TPatientRecord first{};
    file.readAt(1, first);
    first.dente(3).setText(QStringLiteral("Otturazione in composito (2025)"));
    first.dente(8).setText(QStringLiteral("Sensibilità al freddo"));
    first.dente(9).setText(QStringLiteral("Sensibilità al freddo"));
    first.dente(19).setText(QStringLiteral("Corona in ceramica"));
    first.dente(30).setText(QStringLiteral("Carie distale da controllare"));
    first.File01.setText(QStringLiteral("Ferraresi_panoramica_2026.jpg"));
    first.Desc01.setText(QStringLiteral("Radiografia panoramica di novembre 2026"));
    file.overwriteAt(1, first);
    file.close();
}

void writeAppointments()
{
    RecordFile file(ProgramFolder::file(kAppointmentArchive), TAppointmentRecord::Size);
    file.open(RecordFile::Write);
    for (const Appointment &a : kAppointments) {
        const Patient &p = kPatients[a.patient];
        TAppointmentRecord r{};
        r.Data.setText(u(a.date));
        r.OreApp.setText(u(a.hours));
        r.MinutiApp.setText(u(a.minutes));
        r.Ora.setText(u(a.hours) + QLatin1Char(':') + u(a.minutes));
        r.Avviso.setText(u(a.lead));
        r.Tipologia.setText(dentist(a.dentist));
        r.Causale.setText(u(a.treatments));
        r.Dettagli.setText(u(a.details));
        r.Contatto.setText(u(p.name));
        r.Tel.setText(u(p.homePhone));
        r.Cel.setText(u(p.mobile));
        r.Email.setText(u(p.email));
        r.Luogo.setText(u(p.payment));
        r.Importo.setText(u(a.amount));
        r.Note.setText(u(a.notes));
        r.Ottemperata.setText(a.fulfilled ? kFlagYes : kFlagNo);
        file.append(r);
    }
    file.close();
}

void writeTreatments()
{
    struct Treatment
    {
        const char *date, *time, *what, *amount;
    };
    const Treatment treatments[] = {
        {"14/01/2026", "10:00", "Visita e radiografia panoramica", "50,00"},
        {"02/02/2026", "11:30", "Pulizia e ablazione del tartaro", "70,00"},
        {"19/05/2026", "09:15", "Otturazione in composito del dente 16", "95,00"},
        {"24/11/2026", "10:30", "Radiografia panoramica", "40,00"},
    };
    RecordFile file(ProgramFolder::file(QStringLiteral("Trattamenti_Paziente_1.pro")), TTreatmentRecord::Size);
    file.open(RecordFile::Write);
    for (const Treatment &t : treatments) {
        TTreatmentRecord r{};
        r.Data.setText(u(t.date));
        r.Ora.setText(u(t.time));
        r.Trattamenti.setText(u(t.what));
        r.Dentista.setText(kMartinelli);
        r.Importo.setText(u(t.amount));
        file.append(r);
    }
    file.close();
}

} // namespace

void fixClock() { Clock::setFixed(QDateTime(QDate(2026, 12, 10), QTime(9, 30))); }

void write()
{
    writePatients();
    writeAppointments();
    writeTreatments();
    QDir folder(ProgramFolder::path());
    folder.mkpath(QStringLiteral("Documenti_Allegati"));
    folder.mkpath(QStringLiteral("Cliente_1"));
    QFile attachment(ProgramFolder::file(QStringLiteral("Documenti_Allegati/Ferraresi_panoramica_2026.jpg")));
    if (attachment.open(QIODevice::WriteOnly))
        attachment.close();
}

} // namespace Practice
