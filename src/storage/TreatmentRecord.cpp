#include "storage/TreatmentRecord.h"

std::span<const RecordField> TTreatmentRecord::fields()
{
    static const RecordField table[] = {
        SORRISA_FIELD(TTreatmentRecord, Data),        SORRISA_FIELD(TTreatmentRecord, Ora),
        SORRISA_FIELD(TTreatmentRecord, Trattamenti), SORRISA_FIELD(TTreatmentRecord, Dentista),
        SORRISA_FIELD(TTreatmentRecord, Importo),
    };
    return table;
}
