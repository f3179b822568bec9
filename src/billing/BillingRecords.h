#pragma once

#include "storage/ShortString.h"

// The record layouts of the practice's money, each a fixed-size record file of the program
// folder through RecordFile. Every field is a short string in Windows-1252, like the other
// archives: amounts as "1250,50", dates as "dd/MM/yyyy", flags as "Sì"/"No", patients by the
// position of their card in the patient archive.
//
// A document (estimate, invoice, credit note) is a header record and a run of line records in
// a file of its own: the header names the position of its first line (PrimaRiga) and how many
// lines follow (Righe), and every line repeats the document's number and year. The lines are
// written first; the header, appended last, is what makes the document exist. Lines no header
// points to (a save cut short) are never read.

#pragma pack(push, 1)

// One service of the price list "Listino_Prestazioni.pro": 152 bytes.
struct TPriceRecord
{
    ShortString<10> Codice;
    ShortString<100> Descrizione;
    ShortString<15> Prezzo;   // "800,00"
    ShortString<2> TipoSpesa; // the Sistema TS kind of expense, "SR" by default
    ShortString<20> Lavoro;   // the odontogram state it prices ("corona"), or empty

    static constexpr int Size = 152;
    static std::span<const RecordField> fields();
};

// The header of an estimate "Preventivi.pro": 79 bytes.
struct TEstimateRecord
{
    ShortString<6> Numero;     // "12": with the year, "P 12/2026"
    ShortString<4> Anno;       // "2026"
    ShortString<10> Paziente;  // the card's position in the patient archive
    ShortString<10> Data;      // "dd/MM/yyyy"
    ShortString<10> Validita;  // valid until, "dd/MM/yyyy"
    ShortString<10> Stato;     // "proposto", "accettato", "rifiutato"
    ShortString<6> Sconto;     // percent off every line, "10,00"
    ShortString<10> PrimaRiga; // position of its first line in "Righe_Preventivi.pro"
    ShortString<4> Righe;      // how many lines

    static constexpr int Size = 79;
    static std::span<const RecordField> fields();
};

// One line of an estimate "Righe_Preventivi.pro": 177 bytes.
struct TEstimateLineRecord
{
    ShortString<6> Numero; // the estimate's number and year
    ShortString<4> Anno;
    ShortString<2> Dente;     // FDI number, or empty for a line of the whole mouth
    ShortString<20> Lavoro;   // odontogram state, or empty for a free line
    ShortString<5> Superfici; // among "MDOVL"
    ShortString<100> Descrizione;
    ShortString<3> Quantita;  // "1" to "999"
    ShortString<15> Prezzo;   // unit price
    ShortString<2> Eseguita;  // "Sì" when done
    ShortString<10> Registro; // position of its treatment in the patient's register once written,
                              // "-12" while being written

    static constexpr int Size = 177;
    static std::span<const RecordField> fields();
};

// One payment "Pagamenti.pro": 189 bytes.
struct TPaymentRecord
{
    ShortString<10> Paziente;
    ShortString<10> Data;
    ShortString<15> Importo;
    ShortString<20> Modalita;   // "contanti", "bancomat", "carta di credito", "bonifico", "assegno"
    ShortString<2> Tracciabile; // "Sì" for every method but cash
    ShortString<100> Note;
    ShortString<12> Preventivo; // "12/2026": an advance on that estimate, or empty
    ShortString<12> Fattura;    // "1/2026": the payment of that invoice, or empty

    static constexpr int Size = 189;
    static std::span<const RecordField> fields();
};

// The header of an invoice or credit note "Fatture.pro": 1116 bytes. Everything is copied at
// issue and never changes; only the sending marks (Inviata, Protocollo, DataInvio) are
// written later. Controllo is a checksum of every byte before it, so a record torn by a power
// cut is known and passed over (its number was never handed out).
struct TInvoiceRecord
{
    ShortString<6> Numero; // one series per year for invoices and credit notes
    ShortString<4> Anno;
    ShortString<15> Tipo; // "fattura" or "nota di credito"
    ShortString<10> Data;
    ShortString<10> Paziente; // the card's position
    ShortString<250> Nome;    // the patient's data as they were at issue
    ShortString<250> Indirizzo;
    ShortString<30> Cap;
    ShortString<50> Citta;
    ShortString<50> Provincia;
    ShortString<16> CodiceFiscale;
    ShortString<11> PartitaIva;    // the practice's, at issue
    ShortString<12> Regime;        // "ordinario", "forfettario"
    ShortString<250> Esenzione;    // the exemption wording printed
    ShortString<10> DataPagamento; // empty when not paid at issue
    ShortString<20> Modalita;
    ShortString<2> Tracciabile;
    ShortString<2> Opposizione;     // "Sì": the patient opposes the sending to the Sistema TS
    ShortString<2> Bollo;           // "Sì": the stamp duty is due (exempt total above 77,47)
    ShortString<2> BolloAlPaziente; // "Sì": charged to the patient, as a line of its own
    ShortString<15> Totale;         // every line, the stamp's included
    ShortString<12> Rettifica;      // a credit note: the invoice it corrects, "1/2026"
    ShortString<2> Inviata;         // "Sì" once sent to the Sistema TS
    ShortString<17> Protocollo;     // the sending's protocol number
    ShortString<10> DataInvio;
    ShortString<10> PrimaRiga; // position of its first line in "Righe_Fatture.pro"
    ShortString<4> Righe;
    ShortString<16> Controllo; // Fletcher-64 of the bytes before it, 16 hex digits

    static constexpr int Size = 1116;
    static std::span<const RecordField> fields();
};

// One line of an invoice or credit note "Righe_Fatture.pro": 158 bytes.
struct TInvoiceLineRecord
{
    ShortString<6> Numero;
    ShortString<4> Anno;
    ShortString<100> Descrizione;
    ShortString<2> Dente;
    ShortString<15> Importo;     // positive, for credit notes too
    ShortString<2> TipoSpesa;    // "SR"
    ShortString<11> Voce;        // "prestazione" or "bollo"
    ShortString<10> Trattamento; // position in the patient's register of the treatment it bills

    static constexpr int Size = 158;
    static std::span<const RecordField> fields();
};

#pragma pack(pop)

static_assert(sizeof(TPriceRecord) == TPriceRecord::Size);
static_assert(sizeof(TEstimateRecord) == TEstimateRecord::Size);
static_assert(sizeof(TEstimateLineRecord) == TEstimateLineRecord::Size);
static_assert(sizeof(TPaymentRecord) == TPaymentRecord::Size);
static_assert(sizeof(TInvoiceRecord) == TInvoiceRecord::Size);
static_assert(sizeof(TInvoiceLineRecord) == TInvoiceLineRecord::Size);
static_assert(offsetof(TEstimateRecord, PrimaRiga) == 63 && offsetof(TEstimateLineRecord, Registro) == 166);
static_assert(offsetof(TPaymentRecord, Fattura) == 176);
static_assert(offsetof(TInvoiceRecord, Esenzione) == 727 && offsetof(TInvoiceRecord, Inviata) == 1051);
static_assert(offsetof(TInvoiceRecord, Controllo) == 1099 && offsetof(TInvoiceLineRecord, Trattamento) == 147);

// The files, in the program folder beside the other archives.
namespace BillingFiles {
inline const QString kPriceList = QStringLiteral("Listino_Prestazioni.pro");
inline const QString kEstimates = QStringLiteral("Preventivi.pro");
inline const QString kEstimateLines = QStringLiteral("Righe_Preventivi.pro");
inline const QString kPayments = QStringLiteral("Pagamenti.pro");
inline const QString kInvoices = QStringLiteral("Fatture.pro");
inline const QString kInvoiceLines = QStringLiteral("Righe_Fatture.pro");
inline const QString kPractice = QStringLiteral("Dati_Studio.ini");
// The PDFs of the invoices: "Fatture/2026/Fattura_0001_2026.pdf".
inline const QString kPdfFolder = QStringLiteral("Fatture");
} // namespace BillingFiles
