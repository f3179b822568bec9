// The agenda and the status lists built from an appointment archive: which cards they list,
// their order, and the lookup that finds a card again from its line.
//
// - The agenda lists exactly the imminent cards, in the order of the plain line comparison
//   (the fast sort by the numeric key must agree with it); each status list exactly the
//   cards of its status, in file order.
// - Each line keeps the position of the very card it was built from; equal agenda lines keep
//   file order. The scans' own test of imminence agrees with the rule.
// - A card always matches a search made of its own fields.
//
// Input: one byte for the day (today is 10/12/2026 moved by it), then the cards: records
// separated by 0x1E, fields (in layout order) by 0x1F, each field's bytes stored as they are.
#include "FuzzCheck.h"

#include "appointments/AgendaRules.h"
#include "appointments/AppointmentLines.h"
#include "base/TextRules.h"
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
        const AgendaRules::ImminenceTest test(today);
        for (const TAppointmentRecord &r : records) {
            FUZZ_CHECK(test(r) == AgendaRules::imminence(r, today));
            if (AgendaRules::imminence(r, today) == AgendaRules::Imminence::Imminent)
                expected.append(AgendaRules::line(r));
        }
        std::stable_sort(expected.begin(), expected.end(), AgendaRules::lineLess);
        const QStringList agenda = AgendaRules::imminentLines(today);
        FUZZ_CHECK(agenda == expected);
        const AgendaRules::Imminent imminent = AgendaRules::imminentCards(today);
        FUZZ_CHECK(imminent.positions.size() == size_t(agenda.size()));
        for (qsizetype i = 0; i < agenda.size(); ++i) {
            const qint64 position = imminent.positions[size_t(i)];
            FUZZ_CHECK(position >= 1 && position <= records.size());
            FUZZ_CHECK(AgendaRules::line(records[position - 1]) == agenda[i]);
            FUZZ_CHECK(i == 0 || agenda[i] != agenda[i - 1] || imminent.positions[size_t(i - 1)] < position);
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
            std::vector<qint64> positions;
            AppointmentLines::statusPositions(status, today, positions);
            const QStringList got = AppointmentLines::linesAt(positions)->all();
            FUZZ_CHECK(got == want);
            // Each line keeps the position of the very card it was built from.
            for (qsizetype i = 0; i < got.size(); ++i) {
                const qint64 position = positions[size_t(i)];
                FUZZ_CHECK(position >= 1 && position <= records.size());
                FUZZ_CHECK(AppointmentLines::line(records[position - 1]) == got[i]);
            }
        }

        // The search: the first card matches a search made of its own fields.
        if (!records.isEmpty()) {
            const TAppointmentRecord &r = records.first();
            const AppointmentLines::Criteria own{
                r.Data.text(),     r.Ora.text(), r.Tipologia.text(), r.Causale.text(), r.Dettagli.text(),
                r.Contatto.text(), r.Tel.text(), r.Cel.text(),       r.Luogo.text(),   r.Note.text()};
            FUZZ_CHECK(AppointmentLines::matches(own, r));
            // The search looks in the stored bytes: it must agree with the texts, on every card.
            const QList<std::pair<QString, QString (*)(const TAppointmentRecord &)>> pairs = {
                {own.txtData, [](const TAppointmentRecord &c) { return c.Data.text(); }},
                {own.txtOra, [](const TAppointmentRecord &c) { return c.Ora.text(); }},
                {own.txtTipologia, [](const TAppointmentRecord &c) { return c.Tipologia.text(); }},
                {own.txtCausale, [](const TAppointmentRecord &c) { return c.Causale.text(); }},
                {own.txtDettagli, [](const TAppointmentRecord &c) { return c.Dettagli.text(); }},
                {own.txtContatto, [](const TAppointmentRecord &c) { return c.Contatto.text(); }},
                {own.txtTel, [](const TAppointmentRecord &c) { return c.Tel.text(); }},
                {own.txtCel, [](const TAppointmentRecord &c) { return c.Cel.text(); }},
                {own.txtLuogo, [](const TAppointmentRecord &c) { return c.Luogo.text(); }},
                {own.txtNote, [](const TAppointmentRecord &c) { return c.Note.text(); }},
            };
            for (const TAppointmentRecord &card : records) {
                bool all = true;
                for (const auto &[criterion, field] : pairs)
                    if (!AnsiText::isBlank(criterion)
                        && !TextRules::foldAZ(field(card)).contains(TextRules::foldAZ(criterion)))
                        all = false;
                FUZZ_CHECK(AppointmentLines::matches(own, card) == all);
            }
            std::vector<qint64> found;
            AppointmentLines::foundPositions(own, found);
            FUZZ_CHECK(!found.empty() && found.front() == 1);
        }
    } catch (const StorageError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        FUZZ_CHECK(!"the archive could not be read");
    }
    return 0;
}
