#include "storage/AppointmentRecord.h"

std::span<const RecordField> TAppointmentRecord::fields()
{
    static const RecordField table[] = {
        SORRISA_FIELD(TAppointmentRecord, Data),      SORRISA_FIELD(TAppointmentRecord, OreApp),
        SORRISA_FIELD(TAppointmentRecord, MinutiApp), SORRISA_FIELD(TAppointmentRecord, Ora),
        SORRISA_FIELD(TAppointmentRecord, Avviso),    SORRISA_FIELD(TAppointmentRecord, Tipologia),
        SORRISA_FIELD(TAppointmentRecord, Causale),   SORRISA_FIELD(TAppointmentRecord, Dettagli),
        SORRISA_FIELD(TAppointmentRecord, Contatto),  SORRISA_FIELD(TAppointmentRecord, Tel),
        SORRISA_FIELD(TAppointmentRecord, Cel),       SORRISA_FIELD(TAppointmentRecord, Email),
        SORRISA_FIELD(TAppointmentRecord, Luogo),     SORRISA_FIELD(TAppointmentRecord, Importo),
        SORRISA_FIELD(TAppointmentRecord, Note),      SORRISA_FIELD(TAppointmentRecord, Ottemperata),
    };
    return table;
}
