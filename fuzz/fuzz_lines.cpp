// The agenda and the status lists built from an appointment archive: which cards they list,
// their order, and the lookup that finds a card again from its line.
//
// - The agenda lists exactly the imminent cards, in the order of the plain line comparison
//   (the fast sort by the numeric key must agree with it); each status list exactly the
//   cards of its status, in file order.
// - Finding a line again gives the last card of the file whose line it is.
// - A card always matches a search made of its own fields.
//
// Input: one byte for the day (today is 10/12/2026 moved by it), then the cards: records
// separated by 0x1E, fields (in layout order) by 0x1F, each field's bytes stored as they are.
#include "FuzzCheck.h"

#include "appointments/AgendaRules.h"
#include "appointments/AppointmentLines.h"
#include "platform/ProgramFolder.h"
#include "storage/AnsiText.h"
#include "storage/AppointmentRecord.h"
#include "storage/RecordFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstring>

namespace {

QList<TAppointmentRecord> cards(const QByteArray &bytes)
{
    QList<TAppointmentRecord> out;
    const auto fields = TAppointmentRecord::fields();
    for (const QByteArray &text : bytes.split('\x1E')) {
        TAppointmentRecord r{};
        char *record = reinterpret_cast<char *>(&r);
        const QList<QByteArray> parts = text.split('\x1F');
        for (qsizetype i = 0; i < parts.size() && i < qsizetype(fields.size()); ++i) {
            const RecordField &f = fields[size_t(i)];
            const qsizetype n = std::min<qsizetype>(parts[i].size(), f.capacity);
            record[f.offset] = char(n);
            std::memcpy(record + f.offset + 1, parts[i].constData(), size_t(n));
        }
        out.append(r);
    }
    return out;
}

QString trimmedLine(const QString &line) { return AnsiText::trimmed(line); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1 || size > 8192)
        return 0;
    static QTemporaryDir dir;
    FUZZ_CHECK(dir.isValid());
    ProgramFolder::set(dir.path());
    const QDate today = QDate(2026, 12, 10).addDays(int(data[0]) - 128);
    const QList<TAppointmentRecord> records =
        cards(QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1)));
    if (records.size() > 64)
        return 0;
    {
        QFile out(ProgramFolder::file(kAppointmentArchive));
        FUZZ_CHECK(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        const qint64 bytes = records.size() * qint64(sizeof(TAppointmentRecord));
        FUZZ_CHECK(out.write(reinterpret_cast<const char *>(records.constData()), bytes) == bytes);
    }

    try {
        // The agenda.
        QStringList expected;
        for (const TAppointmentRecord &r : records)
            if (AgendaRules::imminence(r, today) == AgendaRules::Imminence::Imminent)
                expected.append(AgendaRules::line(r));
        std::stable_sort(expected.begin(), expected.end(), AgendaRules::lineLess);
        const QStringList agenda = AgendaRules::imminentLines(today);
        FUZZ_CHECK(agenda == expected);
        for (const QString &line : agenda) {
            const auto found = AgendaRules::findByLine(line);
            FUZZ_CHECK(found.has_value());
            FUZZ_CHECK(trimmedLine(AgendaRules::line(*found)) == trimmedLine(line));
            const auto last = std::find_if(records.rbegin(), records.rend(), [&](const TAppointmentRecord &r) {
                return trimmedLine(AgendaRules::line(r)) == trimmedLine(line);
            });
            FUZZ_CHECK(std::memcmp(&*last, &*found, sizeof(TAppointmentRecord)) == 0);
        }

        // The fast sort against the plain comparison, over every card's line, listed or not.
        QStringList all;
        for (const TAppointmentRecord &r : records)
            all.append(AgendaRules::line(r));
        QStringList plain = all;
        std::stable_sort(plain.begin(), plain.end(), AgendaRules::lineLess);
        AgendaRules::sortLines(all);
        FUZZ_CHECK(all == plain);

        // The status lists.
        using AppointmentLines::Status;
        for (Status status : {Status::DaAssolvere, Status::Scaduti, Status::Assolti}) {
            QStringList want;
            for (const TAppointmentRecord &r : records)
                if (AppointmentLines::listed(status, r, today))
                    want.append(AppointmentLines::line(r));
            AppointmentLines::Lines got;
            AppointmentLines::statusLines(status, today, got);
            FUZZ_CHECK(got.texts == want);
            FUZZ_CHECK(got.positions.size() == got.texts.size());
            // Each line keeps the position of the very card it was built from.
            for (qsizetype i = 0; i < got.texts.size(); ++i) {
                const qint64 position = got.positions[i];
                FUZZ_CHECK(position >= 1 && position <= records.size());
                FUZZ_CHECK(AppointmentLines::line(records[position - 1]) == got.texts[i]);
            }
        }

        // The search: the first card matches a search made of its own fields.
        if (!records.isEmpty()) {
            const TAppointmentRecord &r = records.first();
            const AppointmentLines::Criteria own{
                r.Data.text(),     r.Ora.text(), r.Tipologia.text(), r.Causale.text(), r.Dettagli.text(),
                r.Contatto.text(), r.Tel.text(), r.Cel.text(),       r.Luogo.text(),   r.Note.text()};
            FUZZ_CHECK(AppointmentLines::matches(own, r));
            AppointmentLines::Lines found;
            AppointmentLines::foundLines(own, found);
            FUZZ_CHECK(found.texts.contains(AppointmentLines::line(r)));
            FUZZ_CHECK(found.positions.contains(1));
        }
    } catch (const StorageError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        FUZZ_CHECK(!"the archive could not be read");
    }
    return 0;
}
