#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

// The one way anything is handed to the desktop shell: web addresses, e-mail and WhatsApp
// links, documents, folders. Callers pass the text ready-made, some in double quotes; the
// call returns at once and its outcome is not examined.
class TMisc
{
public:
    static void Open(const QString &text);

    // What the desktop is given for a text: the enclosing quotes dropped, local paths as
    // file URLs, links made valid URLs (blanks and line breaks encoded).
    static QUrl toUrl(const QString &text);

    // Tests: record the texts instead of opening them.
    static void setTestMode(bool on);
    static QStringList takeOpened();
};
