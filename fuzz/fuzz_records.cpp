// Records of each layout read from arbitrary bytes and saved back: a card saved from what
// was read reads back the same, saving it again changes no byte, and the record file gives
// back exactly the records it was given. Appointment records also go through the list line
// builders and list rules, which read the record bytes directly.
//
// Input: one byte choosing the layout (patient, appointment, treatment), then the file bytes.
#include "FuzzCheck.h"

#include "appointments/AgendaRules.h"
#include "appointments/AppointmentLines.h"
#include "storage/AppointmentRecord.h"
#include "storage/PatientRecord.h"
#include "storage/RecordFile.h"
#include "storage/TreatmentRecord.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <cstring>
#include <span>

namespace {

struct Layout
{
    int size;
    std::span<const RecordField> fields;
};

QStringList texts(const Layout &layout, const char *record)
{
    QStringList out;
    for (const RecordField &f : layout.fields)
        out.append(f.read(record));
    return out;
}

// Saving a card: every field takes its text into the window's reused buffer.
void save(const Layout &layout, char *buffer, const QStringList &values)
{
    for (qsizetype i = 0; i < values.size(); ++i)
        layout.fields[size_t(i)].write(buffer, values.at(i));
}

void checkAppointmentRules(const char *bytes)
{
    const auto &r = *reinterpret_cast<const TAppointmentRecord *>(bytes);
    const QDate today(2026, 12, 10);
    const QString agendaLine = AgendaRules::line(r);
    FUZZ_CHECK(agendaLine.startsWith(QLatin1String("ID: ") + AgendaRules::sortKey(r)));
    FUZZ_CHECK(AgendaRules::sortKey(r).size() <= 12);
    const QString listLine = AppointmentLines::line(r);
    FUZZ_CHECK(listLine.startsWith(QLatin1String("Data: ")));
    // The fixed columns: the patient's column always starts at the same place.
    FUZZ_CHECK(listLine.mid(6 + 10 + 7 + 5 + 2 + 40, 12) == QLatin1String("  Paziente: "));
    const bool toFulfil = AppointmentLines::listed(AppointmentLines::Status::DaAssolvere, r, today);
    const bool fulfilled = AppointmentLines::listed(AppointmentLines::Status::Assolti, r, today);
    const bool pastDue = AppointmentLines::listed(AppointmentLines::Status::Scaduti, r, today);
    FUZZ_CHECK(!(toFulfil && fulfilled));
    FUZZ_CHECK(!pastDue || toFulfil);
    if (AgendaRules::imminence(r, today) == AgendaRules::Imminence::Imminent)
        FUZZ_CHECK(toFulfil);
}

QString folder()
{
    static QTemporaryDir dir;
    FUZZ_CHECK(dir.isValid());
    return dir.path() + QLatin1Char('/');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    static const Layout layouts[] = {{TPatientRecord::Size, TPatientRecord::fields()},
                                     {TAppointmentRecord::Size, TAppointmentRecord::fields()},
                                     {TTreatmentRecord::Size, TTreatmentRecord::fields()}};
    const Layout &layout = layouts[data[0] % 3];
    const QByteArray file(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const qint64 whole = file.size() / layout.size;
    if (whole > 16)
        return 0; // a few records say all there is to say, and keep the runs fast

    QList<QByteArray> saved;
    for (qint64 p = 0; p < whole; ++p) {
        const QByteArray read = file.mid(p * layout.size, layout.size);
        const QStringList values = texts(layout, read.constData());
        // Saved into the buffer the card was read into, and into a clean one.
        QByteArray reused = read;
        save(layout, reused.data(), values);
        QByteArray clean(layout.size, '\0');
        save(layout, clean.data(), values);
        FUZZ_CHECK(texts(layout, reused.constData()) == values);
        FUZZ_CHECK(texts(layout, clean.constData()) == values);
        // Saving what was read back again changes nothing (the unused bytes are zeroed).
        QByteArray again = clean;
        save(layout, again.data(), texts(layout, clean.constData()));
        FUZZ_CHECK(again == clean);
        FUZZ_CHECK(reused == clean);
        if (layout.size == TAppointmentRecord::Size) {
            checkAppointmentRules(read.constData());
            FUZZ_CHECK(AgendaRules::line(*reinterpret_cast<const TAppointmentRecord *>(read.constData()))
                       == AgendaRules::line(*reinterpret_cast<const TAppointmentRecord *>(clean.constData())));
            FUZZ_CHECK(AppointmentLines::line(*reinterpret_cast<const TAppointmentRecord *>(read.constData()))
                       == AppointmentLines::line(*reinterpret_cast<const TAppointmentRecord *>(clean.constData())));
        }
        saved.append(clean);
    }

    // Through the record file: the same records come back, the saved ones are appended after
    // them (over any partial record at the end) and read back the same.
    const QString path = folder() + QStringLiteral("records.pro");
    {
        QFile out(path);
        FUZZ_CHECK(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(out.write(file) == file.size());
    }
    try {
        RecordFile records(path, layout.size);
        records.open(RecordFile::Read);
        FUZZ_CHECK(records.count() == whole);
        QByteArray buffer(layout.size, '\0');
        qint64 seen = 0;
        records.scan([&](const char *record, qint64 position) {
            FUZZ_CHECK(position == ++seen);
            FUZZ_CHECK(std::memcmp(record, file.constData() + (position - 1) * layout.size, size_t(layout.size)) == 0);
            return true;
        });
        FUZZ_CHECK(seen == whole);
        records.close();
        records.open(RecordFile::Write);
        for (const QByteArray &card : std::as_const(saved))
            FUZZ_CHECK(records.append(card.constData()) == whole + 1 + (&card - saved.constData()));
        for (qint64 i = 0; i < saved.size(); ++i) {
            records.readAt(whole + 1 + i, buffer.data());
            FUZZ_CHECK(buffer == saved.at(i));
            FUZZ_CHECK(texts(layout, buffer.constData()) == texts(layout, file.constData() + i * layout.size));
        }
        FUZZ_CHECK(records.count() == whole + saved.size());
        records.close();
    } catch (const StorageError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        FUZZ_CHECK(!"a record file step failed");
    }
    // Nothing appended leaves the file as it was, partial record and all.
    FUZZ_CHECK(QFile(path).size() == (saved.isEmpty() ? file.size() : (whole + saved.size()) * layout.size));
    return 0;
}
