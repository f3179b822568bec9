#pragma once

#include <QList>
#include <QString>

#include <functional>

class QWidget;

// The program's message boxes, all modal:
// - warning, error, information: the text with its icon and the buttons OK and Cancel,
//   either of which only dismisses the box;
// - confirm: a question with Yes and No; only No counts (closing the box counts as yes);
// - plain: the text and an OK button.
// Tests switch on test mode: nothing is shown, every box is recorded with its kind and
// text, and confirmations take queued answers (yes when the queue is empty).
class Messages
{
public:
    enum Kind { Warning, Error, Information, Confirmation, Plain };

    static void warning(QWidget *parent, const QString &text) { show(parent, Warning, text); }
    static void error(QWidget *parent, const QString &text) { show(parent, Error, text); }
    static void information(QWidget *parent, const QString &text) { show(parent, Information, text); }
    static void plain(QWidget *parent, const QString &text) { show(parent, Plain, text); }
    // False only when the user answered No.
    static bool confirm(QWidget *parent, const QString &text);

    struct Shown
    {
        Kind kind;
        QString text;
    };
    static void setTestMode(bool on);
    static void queueAnswer(bool yes);
    static QList<Shown> takeShown();
    // Called in test mode as each box "is shown", before the caller goes on.
    static void setOnShown(std::function<void(const Shown &)> hook);

private:
    static bool show(QWidget *parent, Kind kind, const QString &text);
};

// The standard archive failure message of the card windows and the find windows.
inline const QString kArchiveFailure =
    QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                   "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");

// A card window's save found the card saved anew by another copy of the program since it
// was read (two computers on one shared folder). Yes (or closing the box) loads the other
// copy's card; No overwrites it with this window's.
inline const QString kCardChangedElsewhere =
    QStringLiteral("Attenzione: nel frattempo la scheda corrente è stata modificata e salvata in archivio da "
                   "un'altra copia del programma.\n\r\n\rSi vuole caricare la scheda così come salvata dall'altra "
                   "copia?\n\r\n\rRispondendo No, le modifiche apportate in questa finestra sostituiranno quelle "
                   "salvate dall'altra copia.");
