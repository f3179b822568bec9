#pragma once

#include "storage/ShortString.h"

#include <QStringList>

#include <array>

// One patient card as it lies in "Archivio_Pazienti.pro": 64 short strings, 13315 bytes.
#pragma pack(push, 1)
struct TPatientRecord
{
    ShortString<250> Name;
    ShortString<1> Gender;
    ShortString<10> BirthDate;
    ShortString<50> BirthPlace;
    ShortString<250> Street;
    ShortString<50> City;
    ShortString<50> State;
    ShortString<30> Zip;
    ShortString<50> Citizenship;
    ShortString<50> TaxNumber;
    ShortString<50> SSN;
    ShortString<50> Email;
    ShortString<30> HomePhone;
    ShortString<30> MobilePhone;
    ShortString<50> Occupation;
    ShortString<250> Work;
    ShortString<250> Pathologies;
    ShortString<250> Drugs;
    ShortString<250> Allergies;
    ShortString<250> Problems;
    ShortString<250> Issues;
    ShortString<250> Communication;
    ShortString<250> Dentist;
    ShortString<250> Times;
    ShortString<250> Status;
    ShortString<250> Notes;
    ShortString<250> Dente01;
    ShortString<250> Dente02;
    ShortString<250> Dente03;
    ShortString<250> Dente04;
    ShortString<250> Dente05;
    ShortString<250> Dente06;
    ShortString<250> Dente07;
    ShortString<250> Dente08;
    ShortString<250> Dente09;
    ShortString<250> Dente10;
    ShortString<250> Dente11;
    ShortString<250> Dente12;
    ShortString<250> Dente13;
    ShortString<250> Dente14;
    ShortString<250> Dente15;
    ShortString<250> Dente16;
    ShortString<250> Dente17;
    ShortString<250> Dente18;
    ShortString<250> Dente19;
    ShortString<250> Dente20;
    ShortString<250> Dente21;
    ShortString<250> Dente22;
    ShortString<250> Dente23;
    ShortString<250> Dente24;
    ShortString<250> Dente25;
    ShortString<250> Dente26;
    ShortString<250> Dente27;
    ShortString<250> Dente28;
    ShortString<250> Dente29;
    ShortString<250> Dente30;
    ShortString<250> Dente31;
    ShortString<250> Dente32;
    ShortString<250> File01;
    ShortString<250> File02;
    ShortString<250> File03;
    ShortString<250> Desc01;
    ShortString<250> Desc02;
    ShortString<250> Desc03;

    static constexpr int Size = 13315;
    // Every field in file order.
    static std::span<const RecordField> fields();
    // Tooth 1 to 32.
    ShortString<250> &dente(int tooth);
    const ShortString<250> &dente(int tooth) const;
    // The 32 tooth texts, tooth 1 first. Set: each trimmed and cut to its capacity; a
    // missing one empty.
    QStringList teeth() const;
    void setTeeth(const QStringList &texts);
    // The six attachment texts: the three files, then their three descriptions. Set as the
    // teeth are.
    QStringList attachments() const;
    void setAttachments(const QStringList &texts);
};
#pragma pack(pop)

static_assert(sizeof(TPatientRecord) == TPatientRecord::Size && TPatientRecord::Size == 13315);
static_assert(offsetof(TPatientRecord, Gender) == 251);
static_assert(offsetof(TPatientRecord, BirthDate) == 253);
static_assert(offsetof(TPatientRecord, Email) == 852);
static_assert(offsetof(TPatientRecord, MobilePhone) == 934);
static_assert(offsetof(TPatientRecord, Work) == 1016);
static_assert(offsetof(TPatientRecord, Notes) == 3526);
static_assert(offsetof(TPatientRecord, Dente01) == 3777);
static_assert(offsetof(TPatientRecord, Dente32) == 11558);
static_assert(offsetof(TPatientRecord, File01) == 11809);
static_assert(offsetof(TPatientRecord, Desc01) == 12562);
static_assert(offsetof(TPatientRecord, Desc03) == 13064);

inline const QString kPatientArchive = QStringLiteral("Archivio_Pazienti.pro");
