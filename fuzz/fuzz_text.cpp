// The text and amount rules: normalising twice changes nothing, stored texts read back as
// stored, the date readers agree, fixed columns have their width, and a field put into a
// message link stays one part of it.
//
// Input: one byte of parameters (a field capacity and a column width), then the text bytes,
// taken both as Windows-1252 and as UTF-8.
#include "FuzzCheck.h"

#include "app/Crypt.h"
#include "base/MessageLinks.h"
#include "base/Amount.h"
#include "base/Formats.h"
#include "base/TextRules.h"
#include "storage/AnsiText.h"

#include <QUrl>

#include <cstring>
#include <limits>

namespace {

void checkText(const QString &text, int capacity, int width)
{
    const QString trimmed = AnsiText::trimmed(text);
    FUZZ_CHECK(AnsiText::trimmed(trimmed) == trimmed);
    FUZZ_CHECK(AnsiText::isBlank(text) == trimmed.isEmpty());

    // A field stored and read back, then stored again from what was read: the same text. (Not
    // always the same bytes: a cut at the capacity may keep blanks at the end, which reading
    // trims.)
    QByteArray field(capacity + 1, '\xAA');
    AnsiText::writeShortString(field.data(), capacity, text);
    FUZZ_CHECK(quint8(field[0]) <= capacity);
    const QString read = AnsiText::readShortString(field.constData(), capacity);
    FUZZ_CHECK(AnsiText::trimmed(read) == read);
    QByteArray again(capacity + 1, '\x55');
    AnsiText::writeShortString(again.data(), capacity, read);
    FUZZ_CHECK(AnsiText::readShortString(again.constData(), capacity) == read);
    FUZZ_CHECK(quint8(again[0]) <= quint8(field[0]));
    QString appended = QStringLiteral("x");
    AnsiText::appendShortString(appended, field.constData(), capacity);
    FUZZ_CHECK(appended == QLatin1Char('x') + read);
    appended.clear();
    AnsiText::appendShortString(appended, field.constData(), capacity, width);
    FUZZ_CHECK(appended == TextRules::fixedColumn(read, width));

    // Fixed columns and folding.
    FUZZ_CHECK(TextRules::fixedColumn(text, width).size() == width);
    const QString folded = TextRules::foldAZ(text);
    FUZZ_CHECK(TextRules::foldAZ(folded) == folded && folded.size() == text.size());

    // Amounts: normalising twice changes nothing, and the cents survive writing.
    const QString amount = Amount::normalise(text);
    FUZZ_CHECK(Amount::normalise(amount) == amount);
    const std::optional<qint64> cents = Amount::toCents(text);
    if (cents) {
        FUZZ_CHECK(*cents >= 0);
        FUZZ_CHECK(Amount::toCents(Amount::fromCents(*cents)) == cents);
    } else {
        FUZZ_CHECK(amount == QLatin1String("0,00"));
    }

    // The two date readers agree.
    const QByteArray latin = text.toLatin1();
    if (QString::fromLatin1(latin) == text)
        FUZZ_CHECK(Formats::parseDate(text) == Formats::parseDate(QByteArrayView(latin)));
    const QDate date = Formats::parseDate(text);
    if (date.isValid())
        FUZZ_CHECK(Formats::parseDate(Formats::dateText(date)) == date);

    // Find-in-list never leaves the lines.
    const QStringList lines{text, folded, trimmed};
    QString last;
    const int hit = TextRules::findInList(lines, width % 4 - 1, trimmed.left(3), last);
    FUZZ_CHECK(hit >= -1 && hit < lines.size());
}

// A field put into a link stays one part of it: one query with exactly the two keys, no
// fragment, and each value decodes back to the field.
void checkLinks(const QString &text)
{
    const QString field = AnsiText::trimmed(text);
    const QString send = MessageLinks::whatsApp(text, MessageLinks::reminderText(text, text));
    FUZZ_CHECK(!send.contains(QLatin1Char('#')));
    FUZZ_CHECK(send.startsWith(QLatin1String("https://web.whatsapp.com/send?")));
    const QString query = send.mid(send.indexOf(QLatin1Char('?')) + 1);
    const QStringList items = query.split(QLatin1Char('&'));
    FUZZ_CHECK(items.size() == 2);
    const auto decoded = [](const QString &part) {
        return QString::fromUtf8(QByteArray::fromPercentEncoding(part.toUtf8()));
    };
    FUZZ_CHECK(items.at(0).startsWith(QLatin1String("phone=")));
    FUZZ_CHECK(items.at(1).startsWith(QLatin1String("text=")));
    FUZZ_CHECK(decoded(items.at(0).mid(6)) == field);
    FUZZ_CHECK(decoded(items.at(1).mid(5)) == MessageLinks::reminderText(text, text));
    for (const QChar ch : send)
        FUZZ_CHECK(ch.unicode() >= 0x20 && ch.unicode() != 0x7F);

    const QString mail = MessageLinks::mailto(text);
    FUZZ_CHECK(mail.startsWith(QLatin1String("\"mailto:")) && mail.endsWith(QLatin1Char('"')));
    const QString address = mail.mid(8, mail.size() - 9);
    for (const char forbidden : {'?', '#', '&', ',', ';', '"'})
        FUZZ_CHECK(!address.contains(QLatin1Char(forbidden)));
    FUZZ_CHECK(decoded(address) == field);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1 || size > 2048)
        return 0;
    const int capacity = 1 + data[0] % 255;
    const int width = data[0] % 61;
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const QString ansi = AnsiText::fromAnsi(bytes);
    FUZZ_CHECK(AnsiText::fromAnsi(AnsiText::toAnsi(ansi)) == ansi);
    FUZZ_CHECK(Crypt::UnscrambleFromHex(Crypt::ScrambleToHex(QString::fromLatin1(bytes)))
               == QString::fromLatin1(bytes));
    for (const QString &text : {ansi, QString::fromUtf8(bytes)}) {
        checkText(text, capacity, width);
        checkLinks(text);
    }
    // Amounts in cents, whatever their size.
    if (bytes.size() >= 8) {
        qint64 cents;
        std::memcpy(&cents, bytes.constData(), sizeof cents);
        const QString written = Amount::fromCents(cents);
        FUZZ_CHECK(written.size() >= 4 && written.at(written.size() - 3) == QLatin1Char(','));
        if (cents >= 0 && cents < std::numeric_limits<qint64>::max() / 1000)
            FUZZ_CHECK(Amount::toCents(written) == cents);
    }
    return 0;
}
