#include "storage/AppointmentRecord.h"

std::span<const RecordField> TAppointmentRecord::fields()
{
    static const RecordField table[] = {
        SORRISA_FIELD(TAppointmentRecord, Data, "txtData"),
        SORRISA_FIELD(TAppointmentRecord, OreApp, "txtOreApp"),
        SORRISA_FIELD(TAppointmentRecord, MinutiApp, "txtMinutiApp"),
        SORRISA_FIELD(TAppointmentRecord, Ora, "lblOra"),
        SORRISA_FIELD(TAppointmentRecord, Avviso, "txtAvviso"),
        SORRISA_FIELD(TAppointmentRecord, Tipologia, "txtTipologia"),
        SORRISA_FIELD(TAppointmentRecord, Causale, "txtCausale"),
        SORRISA_FIELD(TAppointmentRecord, Dettagli, "txtDettagli"),
        SORRISA_FIELD(TAppointmentRecord, Contatto, "txtContatto"),
        SORRISA_FIELD(TAppointmentRecord, Tel, "txtTel"),
        SORRISA_FIELD(TAppointmentRecord, Cel, "txtCel"),
        SORRISA_FIELD(TAppointmentRecord, Email, "txtEmail"),
        SORRISA_FIELD(TAppointmentRecord, Luogo, "txtLuogo"),
        SORRISA_FIELD(TAppointmentRecord, Importo, "txtImporto"),
        SORRISA_FIELD(TAppointmentRecord, Note, "txtNote"),
        SORRISA_FIELD(TAppointmentRecord, Ottemperata, "chkOttemperata"),
    };
    return table;
}
