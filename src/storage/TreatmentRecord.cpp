#include "storage/TreatmentRecord.h"

std::span<const RecordField> TTreatmentRecord::fields()
{
    static const RecordField table[] = {
        SORRISA_FIELD(TTreatmentRecord, Data, "txtData"),
        SORRISA_FIELD(TTreatmentRecord, Ora, "txtOra"),
        SORRISA_FIELD(TTreatmentRecord, Trattamenti, "txtTrattamenti"),
        SORRISA_FIELD(TTreatmentRecord, Dentista, "txtDentista"),
        SORRISA_FIELD(TTreatmentRecord, Importo, "txtImporto"),
    };
    return table;
}
