#include "platform/Messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

namespace {
bool g_test = false;
QList<Messages::Answer> g_answers;
QList<Messages::Shown> g_shown;
std::function<void(const Messages::Shown &)> g_onShown;

// The texts break lines with "\n\r" or "\r\n" pairs; the box shows each pair as one break.
QString displayText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}
} // namespace

bool Messages::confirm(QWidget *parent, const QString &text) { return show(parent, Confirmation, text) != Answer::No; }

bool Messages::confirmNoByDefault(QWidget *parent, const QString &text)
{
    return show(parent, Confirmation, text, false, true) == Answer::Yes;
}

Messages::Answer Messages::ask(QWidget *parent, const QString &text) { return show(parent, Confirmation, text, true); }

Messages::Answer Messages::show(QWidget *parent, Kind kind, const QString &text, bool cancel, bool noByDefault)
{
    if (g_test) {
        const Shown shown{kind, text};
        g_shown.append(shown);
        if (g_onShown)
            g_onShown(shown);
        if (kind != Confirmation)
            return Answer::Yes;
        if (!g_answers.isEmpty())
            return g_answers.takeFirst();
        return cancel ? Answer::Cancel : noByDefault ? Answer::No : Answer::Yes;
    }
    QMessageBox box(parent ? parent->window() : QApplication::activeWindow());
    box.setText(displayText(text));
    box.setTextFormat(Qt::PlainText);
    switch (kind) {
    case Warning:
        box.setIcon(QMessageBox::Warning);
        box.setWindowTitle(QStringLiteral(" Attenzione"));
        break;
    case Error:
        box.setIcon(QMessageBox::Critical);
        box.setWindowTitle(QStringLiteral(" Errore"));
        break;
    case Information:
        box.setIcon(QMessageBox::Information);
        box.setWindowTitle(QStringLiteral(" Informazione"));
        break;
    case Confirmation:
        box.setIcon(QMessageBox::Question);
        box.setWindowTitle(QStringLiteral(" Conferma"));
        break;
    case Plain:
        box.setWindowTitle(QStringLiteral(" Sorrisa"));
        break;
    }
    if (kind == Confirmation && cancel) {
        // Named in the text, so named alike whatever the system's language; a stray Enter,
        // Escape or the close box keep everything as it is.
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("Sì"));
        box.button(QMessageBox::No)->setText(QStringLiteral("No"));
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("Annulla"));
        box.setDefaultButton(QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
    } else if (kind == Confirmation) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(noByDefault ? QMessageBox::No : QMessageBox::Yes);
    } else if (kind == Plain) {
        box.setStandardButtons(QMessageBox::Ok);
    } else {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
    }
    box.exec();
    switch (box.result()) {
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return cancel ? Answer::Cancel : Answer::Yes;
    default:
        return Answer::Yes;
    }
}

void Messages::setTestMode(bool on)
{
    g_test = on;
    g_answers.clear();
    g_shown.clear();
    g_onShown = nullptr;
}

void Messages::queueAnswer(bool yes) { g_answers.append(yes ? Answer::Yes : Answer::No); }

void Messages::queueAnswer(Answer answer) { g_answers.append(answer); }

QList<Messages::Shown> Messages::takeShown() { return std::exchange(g_shown, {}); }

void Messages::setOnShown(std::function<void(const Shown &)> hook) { g_onShown = std::move(hook); }
