#include "billing/Estimates.h"

#include "base/Amount.h"
#include "billing/DocumentStore.h"
#include "billing/Money.h"
#include "storage/AnsiText.h"
#include "storage/RecordFile.h"
#include "storage/TreatmentRecord.h"

#include <QDir>

#include <algorithm>

namespace Estimates {

namespace {

QString path(const QString &folder, const QString &name) { return QDir(folder).absoluteFilePath(name); }

bool isWhole(const TEstimateRecord &r)
{
    return DocumentStore::numberOf(r).number > 0 && Money::parseDate(r.Data.text()).isValid()
           && parseState(r.Stato.text());
}

TEstimateLineRecord lineRecord(const DocumentNumber &owner, const Line &l)
{
    TEstimateLineRecord r{};
    DocumentStore::setNumber(r, owner);
    r.Dente.setText(l.tooth);
    r.Lavoro.setText(l.work);
    r.Superfici.setText(l.surfaces);
    r.Descrizione.setText(l.description);
    r.Quantita.setText(QString::number(l.quantity));
    r.Prezzo.setText(Amount::fromCents(l.unitCents));
    r.Eseguita.setText(Money::flagText(l.done));
    r.Registro.setText(l.registerPosition != 0 ? QString::number(l.registerPosition) : QString());
    return r;
}

Line line(const TEstimateLineRecord &r)
{
    return Line{r.Dente.text(),
                r.Lavoro.text(),
                r.Superfici.text(),
                r.Descrizione.text(),
                std::clamp(r.Quantita.text().toInt(), 0, Money::kMaxQuantity),
                std::min(Amount::toCents(r.Prezzo.text()).value_or(0), Money::kMaxCents),
                Money::isYes(r.Eseguita.text()),
                r.Registro.text().toLongLong()};
}

TEstimateRecord header(const Estimate &e, qint64 firstLine)
{
    TEstimateRecord r{};
    DocumentStore::setNumber(r, e.number);
    r.Paziente.setText(QString::number(e.patient));
    r.Data.setText(Money::dateText(e.date));
    r.Validita.setText(Money::dateText(e.validUntil));
    r.Stato.setText(stateName(e.state));
    r.Sconto.setText(Money::percentText(e.discount));
    r.PrimaRiga.setText(QString::number(firstLine));
    r.Righe.setText(QString::number(e.lines.size()));
    return r;
}

Estimate fromHeader(const TEstimateRecord &r)
{
    Estimate e;
    e.number = DocumentStore::numberOf(r);
    e.patient = r.Paziente.text().toLongLong();
    e.date = Money::parseDate(r.Data.text());
    e.validUntil = Money::parseDate(r.Validita.text());
    e.state = parseState(r.Stato.text()).value_or(State::Proposto);
    e.discount = Money::percentFromText(r.Sconto.text()).value_or(0);
    return e;
}

QList<Line> readLines(RecordFile &file, const TEstimateRecord &r, const DocumentNumber &owner)
{
    QList<Line> out;
    for (const TEstimateLineRecord &l : DocumentStore::readLines<TEstimateLineRecord>(
             file, r.PrimaRiga.text().toLongLong(), r.Righe.text().toInt(), owner))
        out.append(line(l));
    return out;
}

QList<Estimate> matching(const QString &folder, const std::function<bool(const Estimate &)> &wanted)
{
    QList<std::pair<Estimate, TEstimateRecord>> found;
    RecordFile headers(path(folder, BillingFiles::kEstimates), TEstimateRecord::Size);
    headers.open(RecordFile::Read);
    TEstimateRecord r{};
    while (headers.next(r)) {
        if (!isWhole(r))
            continue;
        Estimate e = fromHeader(r);
        e.position = headers.position();
        if (wanted(e))
            found.append({e, r});
    }
    headers.close();
    QList<Estimate> out;
    if (found.isEmpty())
        return out;
    RecordFile lines(path(folder, BillingFiles::kEstimateLines), TEstimateLineRecord::Size);
    lines.open(RecordFile::Read);
    for (auto &[e, rec] : found) {
        e.lines = readLines(lines, rec, e.number);
        out.append(e);
    }
    lines.close();
    std::sort(out.begin(), out.end(), [](const Estimate &a, const Estimate &b) { return a.number < b.number; });
    return out;
}

// The treatment a done line becomes.
TTreatmentRecord treatment(const Estimate &e, qsizetype i, const QDate &date, const QTime &time, const QString &dentist)
{
    const Line &l = e.lines.at(i);
    const QString what =
        l.tooth.isEmpty() ? l.description : QStringLiteral("%1 (dente %2)").arg(l.description, l.tooth);
    TTreatmentRecord t{};
    t.Data.setText(Money::dateText(date));
    t.Ora.setText(time.toString(QStringLiteral("hh:mm")));
    t.Trattamenti.setText(what);
    t.Dentista.setText(dentist);
    t.Importo.setText(Amount::fromCents(e.lineCents(i)));
    return t;
}

bool sameTreatment(const TTreatmentRecord &a, const TTreatmentRecord &b)
{
    return a.Trattamenti.text() == b.Trattamenti.text() && a.Importo.text() == b.Importo.text();
}

} // namespace

QString stateName(State state)
{
    switch (state) {
    case State::Proposto:
        return QStringLiteral("proposto");
    case State::Accettato:
        return QStringLiteral("accettato");
    case State::Rifiutato:
        break;
    }
    return QStringLiteral("rifiutato");
}

std::optional<State> parseState(const QString &text)
{
    const QString t = AnsiText::trimmed(text);
    for (State s : {State::Proposto, State::Accettato, State::Rifiutato})
        if (t.compare(stateName(s), Qt::CaseInsensitive) == 0)
            return s;
    return std::nullopt;
}

QString Estimate::numberText() const { return number.isNull() ? QString() : QStringLiteral("P ") + number.text(); }

qint64 Estimate::lineCents(qsizetype index) const
{
    const Line &l = lines.at(index);
    return Money::lineCents(l.quantity, l.unitCents, discount);
}

qint64 Estimate::totalCents() const
{
    qint64 sum = 0;
    for (qsizetype i = 0; i < lines.size(); ++i)
        sum += lineCents(i);
    return sum;
}

QList<Line> fromPlan(const QMap<int, Odontogram::ToothState> &latest, const QList<PriceList::Item> &priceList)
{
    QList<Line> out;
    for (const Odontogram::PlannedWork &work : Odontogram::planList(latest)) {
        Line l;
        l.tooth = QString::number(work.fdi);
        l.work = Odontogram::stateName(work.work);
        l.surfaces = Odontogram::surfaceCode(work.surfaces);
        if (const std::optional<PriceList::Item> priced = PriceList::forWork(priceList, l.work)) {
            l.description = priced->description;
            l.unitCents = priced->cents;
        } else {
            l.description = Odontogram::stateCaption(work.work);
        }
        out.append(l);
    }
    return out;
}

QString refusal(const Estimate &e)
{
    if (e.patient < 1)
        return QStringLiteral("Il preventivo non \u00E8 di nessun paziente.");
    if (!e.date.isValid())
        return QStringLiteral("Manca la data del preventivo.");
    if (e.validUntil.isValid() && e.validUntil < e.date)
        return QStringLiteral("La validit\u00E0 del preventivo non pu\u00F2 precedere la sua data.");
    if (e.discount < 0 || e.discount > 10000)
        return QStringLiteral("Lo sconto va da 0 a 100%.");
    if (e.lines.isEmpty())
        return QStringLiteral("Il preventivo non ha righe: aggiungerne almeno una.");
    for (qsizetype i = 0; i < e.lines.size(); ++i) {
        const Line &l = e.lines.at(i);
        if (AnsiText::isBlank(l.description))
            return QStringLiteral("La riga %1 non ha una descrizione.").arg(i + 1);
        if (l.quantity < 1 || l.quantity > Money::kMaxQuantity)
            return QStringLiteral("La quantit\u00E0 della riga %1 va da 1 a %2.").arg(i + 1).arg(Money::kMaxQuantity);
        if (l.unitCents < 0 || l.unitCents > Money::kMaxCents)
            return QStringLiteral("Il prezzo della riga %1 non \u00E8 valido.").arg(i + 1);
    }
    return QString();
}

Estimate save(const QString &programFolder, const Estimate &estimate)
{
    Estimate e = estimate;
    RecordFile headers(path(programFolder, BillingFiles::kEstimates), TEstimateRecord::Size);
    headers.open(RecordFile::Write); // the series' lock
    if (e.position == 0) {
        const DocumentStore::Last last = DocumentStore::lastOfYear<TEstimateRecord>(
            headers, e.date.year(), [](const TEstimateRecord &r) { return isWhole(r); });
        e.number = DocumentNumber{last.number.number + 1, e.date.year()};
    } else {
        TEstimateRecord old{};
        headers.readAt(e.position, old);
        if (DocumentStore::numberOf(old) != e.number)
            throw StorageError(headers.path() + QStringLiteral(": another estimate at the position of ")
                               + e.numberText());
    }
    QList<TEstimateLineRecord> lines;
    for (const Line &l : e.lines)
        lines.append(lineRecord(e.number, l));
    const qint64 first = DocumentStore::appendLines(path(programFolder, BillingFiles::kEstimateLines), lines);
    if (e.position == 0)
        e.position = headers.append(header(e, first));
    else
        headers.overwriteAt(e.position, header(e, first));
    headers.close();
    return e;
}

std::optional<Estimate> find(const QString &programFolder, const DocumentNumber &number)
{
    const QList<Estimate> found = matching(programFolder, [&](const Estimate &e) { return e.number == number; });
    if (found.isEmpty())
        return std::nullopt;
    return found.first();
}

QList<Estimate> ofPatient(const QString &programFolder, qint64 patient)
{
    return matching(programFolder, [&](const Estimate &e) { return e.patient == patient; });
}

int writeDone(const QString &programFolder, const DocumentNumber &number, const QDate &date, const QTime &time,
              const QString &dentist)
{
    // Locks in one order: the estimates, the register, the estimate lines.
    RecordFile headers(path(programFolder, BillingFiles::kEstimates), TEstimateRecord::Size);
    headers.open(RecordFile::Write);
    TEstimateRecord h{};
    qint64 at = 0;
    for (qint64 p = headers.count(); p >= 1 && at == 0; --p) {
        headers.readAt(p, h);
        if (isWhole(h) && DocumentStore::numberOf(h) == number)
            at = p;
    }
    if (at == 0 || parseState(h.Stato.text()) != State::Accettato) {
        headers.close();
        return 0;
    }
    Estimate e = fromHeader(h);
    const qint64 first = h.PrimaRiga.text().toLongLong();

    RecordFile reg(path(programFolder, treatmentFileName(QString::number(e.patient))), TTreatmentRecord::Size);
    reg.open(RecordFile::Write);
    RecordFile lines(path(programFolder, BillingFiles::kEstimateLines), TEstimateLineRecord::Size);
    lines.open(RecordFile::Write);
    e.lines = readLines(lines, h, e.number);
    int written = 0;
    for (qsizetype i = 0; i < e.lines.size(); ++i) {
        Line &l = e.lines[i];
        if (!l.done)
            continue;
        if (l.registerPosition > 0)
            continue; // written before
        const TTreatmentRecord t = treatment(e, i, date, time, dentist);
        if (l.registerPosition < 0 && -l.registerPosition <= reg.count()) {
            // A save stopped after the position was recorded: was the treatment appended?
            TTreatmentRecord there{};
            reg.readAt(-l.registerPosition, there);
            if (sameTreatment(there, t)) {
                l.registerPosition = -l.registerPosition;
                lines.overwriteAt(first + i, lineRecord(e.number, l));
                continue;
            }
        }
        // The position first (pending), then the treatment, then the position confirmed: a
        // stop in between is finished above next time, never written twice, and a treatment
        // the user changes later in the register is never written again.
        const qint64 position = reg.count() + 1;
        l.registerPosition = -position;
        lines.overwriteAt(first + i, lineRecord(e.number, l));
        if (reg.append(t) != position)
            throw StorageError(reg.path() + QStringLiteral(": treatment out of place"));
        l.registerPosition = position;
        lines.overwriteAt(first + i, lineRecord(e.number, l));
        ++written;
    }
    lines.close();
    reg.close();
    headers.close();
    return written;
}

} // namespace Estimates
