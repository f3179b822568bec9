#include "storage/OdontogramRecord.h"

std::span<const RecordField> TOdontogramRecord::fields()
{
    static const RecordField table[] = {
        SORRISA_FIELD(TOdontogramRecord, Data),       SORRISA_FIELD(TOdontogramRecord, Ora),
        SORRISA_FIELD(TOdontogramRecord, Dente),      SORRISA_FIELD(TOdontogramRecord, Stato),
        SORRISA_FIELD(TOdontogramRecord, Condizione), SORRISA_FIELD(TOdontogramRecord, Superfici),
    };
    return table;
}
