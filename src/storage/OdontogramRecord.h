#pragma once

#include "storage/ShortString.h"

// One dated entry of a patient's odontogram "Odontogramma_Paziente_<position>.pro": what a
// tooth holds from that day on, 56 bytes. Entries are only ever appended: a tooth's state is
// its last entry in the file, and its earlier ones are its history.
#pragma pack(push, 1)
struct TOdontogramRecord
{
    ShortString<10> Data;      // "dd/MM/yyyy"
    ShortString<5> Ora;        // "hh:mm"
    ShortString<2> Dente;      // the FDI number, "11" to "48" or "51" to "85"
    ShortString<20> Stato;     // "sano", "assente", "da estrarre", "carie", "otturazione", "corona",
                               // "ponte pilastro", "ponte elemento", "impianto", "devitalizzato",
                               // "protesi mobile"
    ShortString<8> Condizione; // "presente" or "da fare"
    ShortString<5> Superfici;  // the surfaces among "MDOVL", in that order; empty for none

    static constexpr int Size = 56;
    static std::span<const RecordField> fields();
};
#pragma pack(pop)

static_assert(sizeof(TOdontogramRecord) == TOdontogramRecord::Size && TOdontogramRecord::Size == 56);
static_assert(offsetof(TOdontogramRecord, Data) == 0);
static_assert(offsetof(TOdontogramRecord, Ora) == 11);
static_assert(offsetof(TOdontogramRecord, Dente) == 17);
static_assert(offsetof(TOdontogramRecord, Stato) == 20);
static_assert(offsetof(TOdontogramRecord, Condizione) == 41);
static_assert(offsetof(TOdontogramRecord, Superfici) == 50);

// The odontogram file of the patient at a record position of the patient archive, beside its
// treatment file.
inline QString odontogramFileName(const QString &position)
{
    return QStringLiteral("Odontogramma_Paziente_") + AnsiText::trimmed(position) + QStringLiteral(".pro");
}
