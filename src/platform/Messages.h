#pragma once

#include <QList>
#include <QString>

#include <functional>

class QWidget;

// The program's message boxes, all modal:
// - warning, error, information: the text with its icon and the buttons OK and Cancel,
//   either of which only dismisses the box;
// - confirm: a question with Yes and No; only No counts (closing the box counts as yes);
// - ask: a question with "Sì", "No" and "Annulla", where Escape and closing the box answer
//   Annulla (the answer that changes nothing);
// - plain: the text and an OK button.
// Tests switch on test mode: nothing is shown, every box is recorded with its kind and
// text, and questions take queued answers (when the queue is empty: yes for confirm,
// Annulla for ask).
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
    // The same question with No as the default button (and the answer in test mode when no
    // answer is queued): for a question whose Yes loses something.
    static bool confirmNoByDefault(QWidget *parent, const QString &text);
    enum class Answer { Yes, No, Cancel };
    // Recorded as a Confirmation.
    static Answer ask(QWidget *parent, const QString &text);

    struct Shown
    {
        Kind kind;
        QString text;
    };
    static void setTestMode(bool on);
    static void queueAnswer(bool yes);
    static void queueAnswer(Answer answer);
    static QList<Shown> takeShown();
    // Called in test mode as each box "is shown", before the caller goes on.
    static void setOnShown(std::function<void(const Shown &)> hook);

private:
    static Answer show(QWidget *parent, Kind kind, const QString &text, bool cancel = false, bool noByDefault = false);
};

// The standard archive failure message of the card windows and the find windows.
inline const QString kArchiveFailure =
    QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                   "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");

// A save that waited for the archive longer than the lock wait: another program (a backup,
// another copy that hangs) holds it. The file and its rights are not at fault.
inline const QString kArchiveHeld =
    QStringLiteral("Attenzione: l'archivio è in uso da parte di un altro programma (ad esempio una copia di "
                   "sicurezza in corso) e la scheda non è stata salvata.\n\r\n\rAttendere il termine "
                   "dell'operazione e premere di nuovo Salva.");

// A save found the card saved anew by another copy of the program since it was read (two
// computers on one shared folder), asked with Messages::ask: Sì loads the other copy's card,
// No overwrites it with this window's, Annulla (Escape, the close box) saves nothing and
// leaves this window's changes on screen.
inline const QString kCardChangedElsewhere =
    QStringLiteral("Attenzione: nel frattempo la scheda corrente è stata modificata e salvata in archivio da "
                   "un'altra copia del programma.\n\r\n\rSì: carica la scheda così come salvata dall'altra copia "
                   "(le modifiche apportate in questa finestra vanno perse).\n\rNo: salva le modifiche apportate in "
                   "questa finestra al posto di quelle dell'altra copia.\n\rAnnulla: non salva nulla e lascia le "
                   "modifiche in questa finestra.");
