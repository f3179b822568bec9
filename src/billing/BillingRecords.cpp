#include "billing/BillingRecords.h"

// The field tables, in file order; a window binds its controls to them by name.

std::span<const RecordField> TPriceRecord::fields()
{
    static const RecordField table[] = {
        SORRISA_FIELD(TPriceRecord, Codice), SORRISA_FIELD(TPriceRecord, Descrizione),
        SORRISA_FIELD(TPriceRecord, Prezzo), SORRISA_FIELD(TPriceRecord, TipoSpesa),
        SORRISA_FIELD(TPriceRecord, Lavoro),
    };
    return table;
}

std::span<const RecordField> TEstimateRecord::fields()
{
    static const RecordField table[] = {
        SORRISA_FIELD(TEstimateRecord, Numero),   SORRISA_FIELD(TEstimateRecord, Anno),
        SORRISA_FIELD(TEstimateRecord, Paziente), SORRISA_FIELD(TEstimateRecord, Data),
        SORRISA_FIELD(TEstimateRecord, Validita), SORRISA_FIELD(TEstimateRecord, Stato),
        SORRISA_FIELD(TEstimateRecord, Sconto),   SORRISA_FIELD(TEstimateRecord, PrimaRiga),
        SORRISA_FIELD(TEstimateRecord, Righe),
    };
    return table;
}

std::span<const RecordField> TEstimateLineRecord::fields()
{
    static const RecordField table[] = {
        SORRISA_FIELD(TEstimateLineRecord, Numero),    SORRISA_FIELD(TEstimateLineRecord, Anno),
        SORRISA_FIELD(TEstimateLineRecord, Dente),     SORRISA_FIELD(TEstimateLineRecord, Lavoro),
        SORRISA_FIELD(TEstimateLineRecord, Superfici), SORRISA_FIELD(TEstimateLineRecord, Descrizione),
        SORRISA_FIELD(TEstimateLineRecord, Quantita),  SORRISA_FIELD(TEstimateLineRecord, Prezzo),
        SORRISA_FIELD(TEstimateLineRecord, Eseguita),  SORRISA_FIELD(TEstimateLineRecord, Registro),
    };
    return table;
}

std::span<const RecordField> TPaymentRecord::fields()
{
    static const RecordField table[] = {
        SORRISA_FIELD(TPaymentRecord, Paziente),    SORRISA_FIELD(TPaymentRecord, Data),
        SORRISA_FIELD(TPaymentRecord, Importo),     SORRISA_FIELD(TPaymentRecord, Modalita),
        SORRISA_FIELD(TPaymentRecord, Tracciabile), SORRISA_FIELD(TPaymentRecord, Note),
        SORRISA_FIELD(TPaymentRecord, Preventivo),  SORRISA_FIELD(TPaymentRecord, Fattura),
    };
    return table;
}

std::span<const RecordField> TInvoiceRecord::fields()
{
    static const RecordField table[] = {
        SORRISA_FIELD(TInvoiceRecord, Numero),        SORRISA_FIELD(TInvoiceRecord, Anno),
        SORRISA_FIELD(TInvoiceRecord, Tipo),          SORRISA_FIELD(TInvoiceRecord, Data),
        SORRISA_FIELD(TInvoiceRecord, Paziente),      SORRISA_FIELD(TInvoiceRecord, Nome),
        SORRISA_FIELD(TInvoiceRecord, Indirizzo),     SORRISA_FIELD(TInvoiceRecord, Cap),
        SORRISA_FIELD(TInvoiceRecord, Citta),         SORRISA_FIELD(TInvoiceRecord, Provincia),
        SORRISA_FIELD(TInvoiceRecord, CodiceFiscale), SORRISA_FIELD(TInvoiceRecord, PartitaIva),
        SORRISA_FIELD(TInvoiceRecord, Regime),        SORRISA_FIELD(TInvoiceRecord, Esenzione),
        SORRISA_FIELD(TInvoiceRecord, DataPagamento), SORRISA_FIELD(TInvoiceRecord, Modalita),
        SORRISA_FIELD(TInvoiceRecord, Tracciabile),   SORRISA_FIELD(TInvoiceRecord, Opposizione),
        SORRISA_FIELD(TInvoiceRecord, Bollo),         SORRISA_FIELD(TInvoiceRecord, BolloAlPaziente),
        SORRISA_FIELD(TInvoiceRecord, Totale),        SORRISA_FIELD(TInvoiceRecord, Rettifica),
        SORRISA_FIELD(TInvoiceRecord, Inviata),       SORRISA_FIELD(TInvoiceRecord, Protocollo),
        SORRISA_FIELD(TInvoiceRecord, DataInvio),     SORRISA_FIELD(TInvoiceRecord, PrimaRiga),
        SORRISA_FIELD(TInvoiceRecord, Righe),         SORRISA_FIELD(TInvoiceRecord, Controllo),
    };
    return table;
}

std::span<const RecordField> TInvoiceLineRecord::fields()
{
    static const RecordField table[] = {
        SORRISA_FIELD(TInvoiceLineRecord, Numero),      SORRISA_FIELD(TInvoiceLineRecord, Anno),
        SORRISA_FIELD(TInvoiceLineRecord, Descrizione), SORRISA_FIELD(TInvoiceLineRecord, Dente),
        SORRISA_FIELD(TInvoiceLineRecord, Importo),     SORRISA_FIELD(TInvoiceLineRecord, TipoSpesa),
        SORRISA_FIELD(TInvoiceLineRecord, Voce),        SORRISA_FIELD(TInvoiceLineRecord, Trattamento),
    };
    return table;
}
