#pragma once

#include "storage/ShortString.h"

// One treatment of a patient's register "Trattamenti_Paziente_<position>.pro": 113 bytes.
#pragma pack(push, 1)
struct TTreatmentRecord
{
    ShortString<10> Data;
    ShortString<5> Ora;
    ShortString<50> Trattamenti;
    ShortString<28> Dentista;
    ShortString<15> Importo;

    static constexpr int Size = 113;
    static std::span<const RecordField> fields();
};
#pragma pack(pop)

static_assert(sizeof(TTreatmentRecord) == TTreatmentRecord::Size && TTreatmentRecord::Size == 113);
static_assert(offsetof(TTreatmentRecord, Data) == 0);
static_assert(offsetof(TTreatmentRecord, Ora) == 11);
static_assert(offsetof(TTreatmentRecord, Trattamenti) == 17);
static_assert(offsetof(TTreatmentRecord, Dentista) == 68);
static_assert(offsetof(TTreatmentRecord, Importo) == 97);

// The treatment file of the patient at a record position of the patient archive.
inline QString treatmentFileName(const QString &position)
{
    return QStringLiteral("Trattamenti_Paziente_") + AnsiText::trimmed(position) + QStringLiteral(".pro");
}
