#pragma once

#include "storage/ShortString.h"

// One appointment card as it lies in "Archivio_Appuntamenti.pro": 16 short strings, 1265 bytes.
#pragma pack(push, 1)
struct TAppointmentRecord
{
    ShortString<10> Data;
    ShortString<2> OreApp;
    ShortString<2> MinutiApp;
    ShortString<5> Ora;
    ShortString<3> Avviso;
    ShortString<50> Tipologia;
    ShortString<250> Causale;
    ShortString<250> Dettagli;
    ShortString<50> Contatto;
    ShortString<30> Tel;
    ShortString<30> Cel;
    ShortString<50> Email;
    ShortString<250> Luogo;
    ShortString<15> Importo;
    ShortString<250> Note;
    ShortString<2> Ottemperata;

    static constexpr int Size = 1265;
    static std::span<const RecordField> fields();
};
#pragma pack(pop)

static_assert(sizeof(TAppointmentRecord) == TAppointmentRecord::Size && TAppointmentRecord::Size == 1265);
static_assert(offsetof(TAppointmentRecord, Data) == 0);
static_assert(offsetof(TAppointmentRecord, OreApp) == 11);
static_assert(offsetof(TAppointmentRecord, MinutiApp) == 14);
static_assert(offsetof(TAppointmentRecord, Ora) == 17);
static_assert(offsetof(TAppointmentRecord, Avviso) == 23);
static_assert(offsetof(TAppointmentRecord, Tipologia) == 27);
static_assert(offsetof(TAppointmentRecord, Causale) == 78);
static_assert(offsetof(TAppointmentRecord, Dettagli) == 329);
static_assert(offsetof(TAppointmentRecord, Contatto) == 580);
static_assert(offsetof(TAppointmentRecord, Tel) == 631);
static_assert(offsetof(TAppointmentRecord, Cel) == 662);
static_assert(offsetof(TAppointmentRecord, Email) == 693);
static_assert(offsetof(TAppointmentRecord, Luogo) == 744);
static_assert(offsetof(TAppointmentRecord, Importo) == 995);
static_assert(offsetof(TAppointmentRecord, Note) == 1011);
static_assert(offsetof(TAppointmentRecord, Ottemperata) == 1262);

inline const QString kAppointmentArchive = QStringLiteral("Archivio_Appuntamenti.pro");

// The fulfilled flag is the two-character text "Sì" or "No" (bytes 02 53 EC / 02 4E 6F).
inline const QString kFlagYes = QStringLiteral("S\u00EC");
inline const QString kFlagNo = QStringLiteral("No");
inline constexpr QByteArrayView kFlagYesBytes("S\xEC", 2);
inline constexpr QByteArrayView kFlagNoBytes("No", 2);
