// Makes the user's manual Guida.pdf from its source (manual/Guida.md): lays the text out as a
// book and puts in it pictures of the program's own windows, taken offscreen over a small
// invented practice in a temporary program folder. Run by the build.
//   sorrisa_manual <source> <output.pdf>
#include "app/Startup.h"
#include "app/Windows.h"
#include "manual/Book.h"
#include "manual/Pictures.h"
#include "manual/Practice.h"
#include "manual/Source.h"
#include "platform/Application.h"
#include "platform/FileDialog.h"
#include "platform/Messages.h"
#include "platform/Misc.h"
#include "platform/Modal.h"
#include "platform/Printer.h"
#include "platform/Sound.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

int fail(const QString &message)
{
    QTextStream(stderr) << "sorrisa_manual: " << message << '\n';
    return 1;
}

// Every seam that would reach the user or the outside world only records: no message box
// waits for an answer, no sound plays, nothing is printed or opened.
void quietSeams()
{
    Messages::setTestMode(true);
    Modal::setTestMode(true);
    TMisc::setTestMode(true);
    Sound::setTestMode(true);
    FileDialog::setTestMode(true);
    Printer::setTestMode(true);
    Application::setTestMode(true);
}

// The offscreen platform's notes about window hints say nothing about the manual.
void quietNotes(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QLatin1String("propagateSizeHints")) || message.contains(QLatin1String("XDG_RUNTIME_DIR")))
        return;
    QTextStream(stderr) << qFormatLogMessage(type, context, message) << '\n';
}

} // namespace

int main(int argc, char *argv[])
{
    // The pictures are drawn offscreen, at twice the screen's density so that they print sharp.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "2");
    qInstallMessageHandler(quietNotes);
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3)
        return fail(QStringLiteral("usage: sorrisa_manual <source> <output.pdf>"));

    QFile sourceFile(args.at(1));
    if (!sourceFile.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1").arg(args.at(1)));
    Manual::Book book;
    book.source = Manual::parse(QString::fromUtf8(sourceFile.readAll()));
    if (!book.source.errors.isEmpty())
        return fail(args.at(1) + QStringLiteral(": ") + book.source.errors.join(QStringLiteral("; ")));

    QTemporaryDir folder;
    if (!folder.isValid())
        return fail(QStringLiteral("cannot make a temporary program folder"));
    Startup::prepare(app, folder.path() + QLatin1Char('/'));
    quietSeams();
    Practice::fixClock();
    Practice::write();
    Windows windows;

    QStringList unknown;
    for (const Manual::Block &b : book.source.blocks) {
        if (b.kind != Manual::Block::Picture || book.pictures.contains(b.picture))
            continue;
        const QImage image = Pictures::make(windows, b.picture);
        if (image.isNull())
            unknown.append(QStringLiteral("%1 (riga %2)").arg(b.picture).arg(b.line));
        else
            book.pictures.insert(b.picture, image);
    }
    if (!unknown.isEmpty())
        return fail(QStringLiteral("immagini sconosciute: %1; disponibili: %2")
                        .arg(unknown.join(QStringLiteral(", ")), Pictures::names().join(QStringLiteral(", "))));
    book.coverPicture = book.pictures.contains(QStringLiteral("frmAvvio"))
                            ? book.pictures.value(QStringLiteral("frmAvvio"))
                            : Pictures::make(windows, QStringLiteral("frmAvvio"));

    // A writer may look at the pictures on their own: MANUAL_PICTURES=<folder> keeps them.
    if (const QString keep = qEnvironmentVariable("MANUAL_PICTURES"); !keep.isEmpty())
        for (auto it = book.pictures.begin(); it != book.pictures.end(); ++it)
            it.value().save(keep + QLatin1Char('/') + it.key() + QStringLiteral(".png"));

    QString error;
    if (!Manual::writePdf(book, args.at(2), &error))
        return fail(error);
    return 0;
}
