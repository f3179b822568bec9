#pragma once

#include "billing/Estimates.h"
#include "billing/Invoices.h"
#include "billing/PracticeData.h"
#include "print/Report.h"

#include <QStringList>

// The printed estimate and invoice (or credit note): A4 portrait, the practice's heading,
// the patient, the lines (continued over the pages they need), the totals and the closing
// texts. Window-free: the windows print, preview and keep the PDF of these documents.
namespace MoneyDocuments {

// The practice's heading: its name, the dentist, address, phone, e-mail, codice fiscale,
// partita IVA and albo, the empty parts left out.
QStringList practiceLines(const PracticeData &practice);

// "Preventivo P 12/2026": the lines by tooth with quantity, price and amount, the discount,
// the total, the validity, the conditions and a signature line for acceptance.
Report::Document estimate(const Estimates::Estimate &estimate, const Invoices::Patient &patient,
                          const PracticeData &practice);
// Every text of a prepared estimate, in order: what a test reads.
QStringList estimateLines(const Estimates::Estimate &estimate);

// "Fattura n. 1/2026 del 11/12/2026": the patient's data, the lines, the total, the
// exemption wording, the stamp duty's sentence when due, the payment and its method, the
// opposition's sentence when the patient opposes.
Report::Document invoice(const Invoices::Invoice &invoice, const PracticeData &practice);

} // namespace MoneyDocuments
