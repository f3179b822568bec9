#include "billing/PracticeData.h"

#include "billing/BillingRecords.h"
#include "patients/TaxChecks.h"
#include "storage/AnsiText.h"
#include "storage/RecordFile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <utility>

namespace {

const QString kSection = QStringLiteral("[Studio]");

// The text fields in file order, with their keys.
std::pair<const char *, QString PracticeData::*> const kTexts[] = {
    {"Denominazione", &PracticeData::denominazione},
    {"Titolare", &PracticeData::titolare},
    {"CodiceFiscale", &PracticeData::codiceFiscale},
    {"PartitaIva", &PracticeData::partitaIva},
    {"AlboProvincia", &PracticeData::alboProvincia},
    {"AlboNumero", &PracticeData::alboNumero},
    {"Indirizzo", &PracticeData::indirizzo},
    {"Cap", &PracticeData::cap},
    {"Citta", &PracticeData::citta},
    {"Provincia", &PracticeData::provincia},
    {"Telefono", &PracticeData::telefono},
    {"Email", &PracticeData::email},
    {"Pec", &PracticeData::pec},
    {"Iban", &PracticeData::iban},
    {"Esenzione", &PracticeData::esenzione},
};

QString escaped(const QString &value)
{
    QString out;
    for (QChar c : value) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c != QLatin1Char('\r'))
            out += c;
    }
    return out;
}

QString unescaped(const QString &value)
{
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == QLatin1Char('\\') && i + 1 < value.size()) {
            const QChar n = value.at(++i);
            out += n == QLatin1Char('n') ? QChar(QLatin1Char('\n')) : n;
        } else {
            out += c;
        }
    }
    return out;
}

QString filePath(const QString &programFolder) { return QDir(programFolder).absoluteFilePath(BillingFiles::kPractice); }

} // namespace

PracticeData PracticeData::read(const QString &programFolder)
{
    PracticeData data;
    QFile file(filePath(programFolder));
    if (!file.exists())
        return data;
    if (!file.open(QIODevice::ReadOnly))
        throw StorageError(QStringLiteral("%1: cannot read").arg(file.fileName()));
    const QByteArray bytes = file.read(1 << 20);
    const QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    for (QString line : lines) {
        line.remove(QLatin1Char('\r'));
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = unescaped(line.mid(eq + 1));
        for (const auto &[name, field] : kTexts)
            if (key == QLatin1String(name))
                data.*field = value;
        if (key == QLatin1String("Regime"))
            data.regime = Money::parseRegime(value).value_or(Money::Regime::Ordinario);
        else if (key == QLatin1String("BolloAlPaziente"))
            data.bolloAlPaziente = Money::isYes(value);
    }
    return data;
}

void PracticeData::write(const QString &programFolder) const
{
    QString text = kSection + QLatin1Char('\n');
    for (const auto &[name, field] : kTexts)
        text += QLatin1String(name) + QLatin1Char('=') + escaped(this->*field) + QLatin1Char('\n');
    text += QStringLiteral("Regime=") + Money::regimeName(regime) + QLatin1Char('\n');
    text += QStringLiteral("BolloAlPaziente=") + Money::flagText(bolloAlPaziente) + QLatin1Char('\n');
    const QByteArray bytes = text.toUtf8();

    // Written aside, on the disk, and only then renamed over the old file.
    QSaveFile file(filePath(programFolder));
    if (!file.open(QIODevice::WriteOnly))
        throw StorageError(QStringLiteral("%1: cannot write").arg(file.fileName()));
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        throw StorageError(QStringLiteral("%1: cannot write").arg(file.fileName()));
    }
    if (!file.commit())
        throw StorageError(QStringLiteral("%1: cannot write").arg(file.fileName()));
}

QString PracticeData::refusal() const
{
    const QString cf = AnsiText::trimmed(codiceFiscale);
    if (!cf.isEmpty() && TaxChecks::codiceFiscale(cf) != TaxChecks::Result::Valid)
        return QStringLiteral("Il codice fiscale del titolare non \u00E8 valido: controllarlo prima di salvare.");
    const QString piva = AnsiText::trimmed(partitaIva);
    if (!piva.isEmpty() && TaxChecks::partitaIva(piva) != TaxChecks::Result::Valid)
        return QStringLiteral("La partita IVA non \u00E8 valida: controllarla prima di salvare.");
    return QString();
}

QString PracticeData::exemption() const
{
    const QString own = AnsiText::trimmed(esenzione);
    return own.isEmpty() ? Money::defaultExemption(regime) : own;
}
