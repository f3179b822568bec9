#pragma once

#include <QString>

// The links through which the program reaches a patient: WhatsApp's web "send" page and a
// "mailto:" link, both handed to the desktop shell (TMisc::Open). Each field goes into its
// link as one part: the characters that would end that part or start another (and control
// characters) are percent-encoded, nothing else; the shell side turns the rest into a valid URL.
namespace MessageLinks {

inline const QString kWhatsAppHost = QStringLiteral("web.whatsapp.com");

// "https://web.whatsapp.com/send?phone=" + whatsAppNumber(mobile) + "&text=" + text.
QString whatsApp(const QString &mobile, const QString &text);

// The number WhatsApp is given: the stored mobile number (trimmed), with Italy's country code
// 39 put in front of an Italian mobile number typed without it (9 or 10 digits beginning with
// 3), which WhatsApp would otherwise take for a number abroad. Every other number is left as
// it is: one with "+", "00" or "39" in front (11 digits or more), a landline, anything not
// made of digits alone.
QString whatsAppNumber(const QString &mobile);

// The agenda's reminder and the card's confirmation of an appointment.
QString reminderText(const QString &time, const QString &date);
QString confirmationText(const QString &hours, const QString &minutes, const QString &date);

// The e-mail link to an address, enclosed in double quotes: "\"mailto:" + address + "\"".
// An empty address still gives a link: a message without a recipient.
QString mailto(const QString &text);

} // namespace MessageLinks
