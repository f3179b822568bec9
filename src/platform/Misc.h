#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

// The one way anything is handed to the desktop shell: web addresses, e-mail and WhatsApp
// links, documents, folders. Callers pass the text ready-made, some in double quotes. When the
// desktop says it cannot open the text (no opener installed, an opener that fails for want of
// a browser or an e-mail program, a file or folder that is not there) a warning says so: a
// reminder that did not leave must not pass for one that did.
class TMisc
{
public:
    // The desktop's opener is waited for, a short while at most (the window painted, the
    // user's input held back): an opener still at work after it has taken the text (some stay
    // until the program they started ends). True when the desktop took the text.
    static bool Open(const QString &text);

    static const QString kCannotOpenLink;
    static const QString kCannotOpenFile;

    // What the desktop is given for a text: the enclosing quotes dropped, local paths as
    // file URLs, links made valid URLs (blanks and line breaks encoded).
    static QUrl toUrl(const QString &text);

    // Tests: record the texts instead of opening them. The desktop accepts each text unless
    // told otherwise for the next ones (queueAnswer(false): it cannot open it).
    static void setTestMode(bool on);
    static QStringList takeOpened();
    static void queueAnswer(bool opened);
    // How long the opener is waited for (2.5 s unless set), so that tests need not wait.
    static void setOpenerWait(int ms);
};
