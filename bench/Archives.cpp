#include "Archives.h"

#include "base/Formats.h"
#include "storage/AppointmentRecord.h"
#include "storage/PatientRecord.h"
#include "storage/TreatmentRecord.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStringList>

namespace {

const QStringList kSurnames = {
    "Rossi",    "Russo",   "Ferrari", "Esposito", "Bianchi", "Romano", "Colombo",  "Ricci", "Marino",   "Greco",
    "Bruno",    "Gallo",   "Conti",   "De Luca",  "Mancini", "Costa",  "Giordano", "Rizzo", "Lombardi", "Moretti",
    "Barbieri", "Fontana", "Santoro", "Mariani",  "Rinaldi", "Caruso", "Ferrara",  "Galli", "Martini",  "Leone"};
const QStringList kNames = {"Marco",  "Giulia",  "Luca",    "Francesca", "Alessandro", "Chiara",
                            "Andrea", "Sara",    "Matteo",  "Valentina", "Lorenzo",    "Elena",
                            "Davide", "Martina", "Simone",  "Federica",  "Giuseppe",   "Anna",
                            "Paolo",  "Laura",   "Stefano", "Silvia",    "Roberto",    "Paola"};
const QStringList kTreatments = {
    "Igiene orale professionale",    "Otturazione in composito", "Devitalizzazione",
    "Estrazione dente del giudizio", "Visita di controllo",      "Sbiancamento",
    "Impianto osteointegrato",       "Corona in ceramica",       "Ortodonzia: controllo apparecchio",
    "Radiografia panoramica",        "Ablazione del tartaro",    "Protesi mobile: ribasatura"};
const QStringList kDentists = {"Dott. Bianchi", "Dott.ssa Verdi", "Dott. Neri", "Dott.ssa Galli"};
const QStringList kPayments = {"Contanti", "Bancomat", "Carta di credito", "Bonifico", "Finanziamento"};
const QStringList kCities = {"Milano", "Roma", "Torino", "Napoli", "Bologna", "Firenze", "Bari", "Verona"};

template <class Record> class Writer
{
public:
    explicit Writer(const QString &path) : m_file(path)
    {
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write %s", qPrintable(path));
    }
    void add(const Record &r)
    {
        m_buffer.append(recordBytes(r), sizeof(Record));
        if (m_buffer.size() > (8 << 20))
            flush();
    }
    ~Writer() { flush(); }

private:
    void flush()
    {
        // A benchmark on a short archive would time the wrong thing: a failed write stops it.
        if (m_file.write(m_buffer) != m_buffer.size() || !m_file.flush())
            qFatal("cannot write %s", qPrintable(m_file.fileName()));
        m_buffer.clear();
    }
    QFile m_file;
    QByteArray m_buffer;
};

QString pick(QRandomGenerator &rng, const QStringList &list) { return list.at(int(rng.bounded(quint32(list.size())))); }

QString mobile(QRandomGenerator &rng) { return QStringLiteral("3%1").arg(rng.bounded(100000000u, 999999999u)); }

QString amount(QRandomGenerator &rng)
{
    return QStringLiteral("%1,%2").arg(rng.bounded(30, 2500)).arg(rng.bounded(0, 100), 2, 10, QLatin1Char('0'));
}

} // namespace

namespace Archives {

void write(const QString &folder, const Sizes &sizes, const QDate &today)
{
    QRandomGenerator rng(20261210);
    {
        Writer<TAppointmentRecord> out(folder + kAppointmentArchive);
        for (int i = 0; i < sizes.appointments; ++i) {
            TAppointmentRecord r{};
            const int kind = i % 3; // 0: imminent, 1: later and not yet imminent, 2: fulfilled
            const int avviso = int(rng.bounded(0, 8));
            QDate date;
            if (kind == 0)
                date = today.addDays(rng.bounded(-300, avviso + 1));
            else if (kind == 1)
                date = today.addDays(avviso + 1 + rng.bounded(0, 400));
            else
                date = today.addDays(rng.bounded(-900, 200));
            const int hour = int(rng.bounded(8, 20));
            const int minute = int(rng.bounded(0, 4)) * 15;
            const QString hh = QStringLiteral("%1").arg(hour, 2, 10, QLatin1Char('0'));
            const QString mm = QStringLiteral("%1").arg(minute, 2, 10, QLatin1Char('0'));
            r.Data.setText(Formats::dateText(date));
            r.OreApp.setText(hh);
            r.MinutiApp.setText(mm);
            r.Ora.setText(hh + QLatin1Char(':') + mm);
            r.Avviso.setText(QString::number(avviso));
            r.Tipologia.setText(pick(rng, kDentists));
            r.Causale.setText(pick(rng, kTreatments));
            r.Dettagli.setText(QStringLiteral("Portare le radiografie precedenti"));
            r.Contatto.setText(pick(rng, kSurnames) + QLatin1Char(' ') + pick(rng, kNames));
            r.Tel.setText(QStringLiteral("02 %1").arg(rng.bounded(1000000u, 9999999u)));
            r.Cel.setText(mobile(rng));
            r.Email.setText(QStringLiteral("paziente%1@posta.example").arg(i));
            r.Luogo.setText(pick(rng, kPayments));
            r.Importo.setText(amount(rng));
            r.Note.setText(i % 5 == 0 ? QStringLiteral("Paziente ansioso: prevedere più tempo") : QString());
            r.Ottemperata.setText(kind == 2 ? kFlagYes : kFlagNo);
            out.add(r);
        }
    }
    {
        Writer<TPatientRecord> out(folder + kPatientArchive);
        for (int i = 0; i < sizes.patients; ++i) {
            TPatientRecord r{};
            r.Name.setText(pick(rng, kSurnames).toUpper() + QLatin1Char(' ') + pick(rng, kNames).toUpper());
            r.Gender.setText(i % 2 ? QStringLiteral("M") : QStringLiteral("F"));
            r.BirthDate.setText(Formats::dateText(
                QDate(1940 + int(rng.bounded(0, 70)), 1 + int(rng.bounded(0, 12)), 1 + int(rng.bounded(0, 28)))));
            r.BirthPlace.setText(pick(rng, kCities));
            r.Street.setText(QStringLiteral("Via Garibaldi %1").arg(rng.bounded(1, 200)));
            r.City.setText(pick(rng, kCities));
            r.State.setText(QStringLiteral("MI"));
            r.Zip.setText(QStringLiteral("20100"));
            r.Citizenship.setText(QStringLiteral("Italiana"));
            r.TaxNumber.setText(QStringLiteral("RSSMRA80A01F205X"));
            r.Email.setText(QStringLiteral("paziente%1@posta.example").arg(i));
            r.HomePhone.setText(QStringLiteral("02 %1").arg(rng.bounded(1000000u, 9999999u)));
            r.MobilePhone.setText(mobile(rng));
            r.Occupation.setText(QStringLiteral("Impiegato"));
            r.Pathologies.setText(i % 7 == 0 ? QStringLiteral("Ipertensione") : QString());
            r.Allergies.setText(i % 11 == 0 ? QStringLiteral("Penicillina") : QString());
            r.Problems.setText(QStringLiteral("Sensibilità al freddo"));
            r.Issues.setText(i % 13 == 0 ? QStringLiteral("Saldo da versare") : QString());
            r.Communication.setText(pick(rng, kPayments));
            r.Dentist.setText(pick(rng, kDentists));
            r.Notes.setText(QStringLiteral("Preferisce essere contattato al mattino"));
            for (int t = 1; t <= 32; t += 5)
                r.dente(t).setText(QStringLiteral("Otturazione"));
            out.add(r);
        }
    }
    {
        Writer<TTreatmentRecord> out(folder + treatmentFileName(QStringLiteral("1")));
        for (int i = 0; i < sizes.treatments; ++i) {
            TTreatmentRecord r{};
            r.Data.setText(Formats::dateText(today.addDays(-i)));
            r.Ora.setText(QStringLiteral("10:30"));
            r.Trattamenti.setText(pick(rng, kTreatments));
            r.Dentista.setText(pick(rng, kDentists));
            r.Importo.setText(amount(rng));
            out.add(r);
        }
    }
}

Options::Options(const QStringList &arguments)
{
    for (qsizetype i = 1; i + 1 < arguments.size(); i += 2)
        m_values.insert(arguments.at(i), arguments.at(i + 1));
}

int Options::number(const QString &name, int fallback) const { return has(name) ? text(name).toInt() : fallback; }

Sizes Options::sizes(Sizes sizes) const
{
    sizes.appointments = number(QStringLiteral("--appointments"), sizes.appointments);
    sizes.patients = number(QStringLiteral("--patients"), sizes.patients);
    sizes.treatments = number(QStringLiteral("--treatments"), sizes.treatments);
    return sizes;
}

} // namespace Archives
