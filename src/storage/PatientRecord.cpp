#include "storage/PatientRecord.h"

std::span<const RecordField> TPatientRecord::fields()
{
    static const RecordField table[] = {
        SORRISA_FIELD(TPatientRecord, Name),        SORRISA_FIELD(TPatientRecord, Gender),
        SORRISA_FIELD(TPatientRecord, BirthDate),   SORRISA_FIELD(TPatientRecord, BirthPlace),
        SORRISA_FIELD(TPatientRecord, Street),      SORRISA_FIELD(TPatientRecord, City),
        SORRISA_FIELD(TPatientRecord, State),       SORRISA_FIELD(TPatientRecord, Zip),
        SORRISA_FIELD(TPatientRecord, Citizenship), SORRISA_FIELD(TPatientRecord, TaxNumber),
        SORRISA_FIELD(TPatientRecord, SSN),         SORRISA_FIELD(TPatientRecord, Email),
        SORRISA_FIELD(TPatientRecord, HomePhone),   SORRISA_FIELD(TPatientRecord, MobilePhone),
        SORRISA_FIELD(TPatientRecord, Occupation),  SORRISA_FIELD(TPatientRecord, Work),
        SORRISA_FIELD(TPatientRecord, Pathologies), SORRISA_FIELD(TPatientRecord, Drugs),
        SORRISA_FIELD(TPatientRecord, Allergies),   SORRISA_FIELD(TPatientRecord, Problems),
        SORRISA_FIELD(TPatientRecord, Issues),      SORRISA_FIELD(TPatientRecord, Communication),
        SORRISA_FIELD(TPatientRecord, Dentist),     SORRISA_FIELD(TPatientRecord, Times),
        SORRISA_FIELD(TPatientRecord, Status),      SORRISA_FIELD(TPatientRecord, Notes),
        SORRISA_FIELD(TPatientRecord, Dente01),     SORRISA_FIELD(TPatientRecord, Dente02),
        SORRISA_FIELD(TPatientRecord, Dente03),     SORRISA_FIELD(TPatientRecord, Dente04),
        SORRISA_FIELD(TPatientRecord, Dente05),     SORRISA_FIELD(TPatientRecord, Dente06),
        SORRISA_FIELD(TPatientRecord, Dente07),     SORRISA_FIELD(TPatientRecord, Dente08),
        SORRISA_FIELD(TPatientRecord, Dente09),     SORRISA_FIELD(TPatientRecord, Dente10),
        SORRISA_FIELD(TPatientRecord, Dente11),     SORRISA_FIELD(TPatientRecord, Dente12),
        SORRISA_FIELD(TPatientRecord, Dente13),     SORRISA_FIELD(TPatientRecord, Dente14),
        SORRISA_FIELD(TPatientRecord, Dente15),     SORRISA_FIELD(TPatientRecord, Dente16),
        SORRISA_FIELD(TPatientRecord, Dente17),     SORRISA_FIELD(TPatientRecord, Dente18),
        SORRISA_FIELD(TPatientRecord, Dente19),     SORRISA_FIELD(TPatientRecord, Dente20),
        SORRISA_FIELD(TPatientRecord, Dente21),     SORRISA_FIELD(TPatientRecord, Dente22),
        SORRISA_FIELD(TPatientRecord, Dente23),     SORRISA_FIELD(TPatientRecord, Dente24),
        SORRISA_FIELD(TPatientRecord, Dente25),     SORRISA_FIELD(TPatientRecord, Dente26),
        SORRISA_FIELD(TPatientRecord, Dente27),     SORRISA_FIELD(TPatientRecord, Dente28),
        SORRISA_FIELD(TPatientRecord, Dente29),     SORRISA_FIELD(TPatientRecord, Dente30),
        SORRISA_FIELD(TPatientRecord, Dente31),     SORRISA_FIELD(TPatientRecord, Dente32),
        SORRISA_FIELD(TPatientRecord, File01),      SORRISA_FIELD(TPatientRecord, File02),
        SORRISA_FIELD(TPatientRecord, File03),      SORRISA_FIELD(TPatientRecord, Desc01),
        SORRISA_FIELD(TPatientRecord, Desc02),      SORRISA_FIELD(TPatientRecord, Desc03),
    };
    return table;
}

namespace {
using LongText = ShortString<250> TPatientRecord::*;
constexpr LongText kTeeth[32] = {
    &TPatientRecord::Dente01, &TPatientRecord::Dente02, &TPatientRecord::Dente03, &TPatientRecord::Dente04,
    &TPatientRecord::Dente05, &TPatientRecord::Dente06, &TPatientRecord::Dente07, &TPatientRecord::Dente08,
    &TPatientRecord::Dente09, &TPatientRecord::Dente10, &TPatientRecord::Dente11, &TPatientRecord::Dente12,
    &TPatientRecord::Dente13, &TPatientRecord::Dente14, &TPatientRecord::Dente15, &TPatientRecord::Dente16,
    &TPatientRecord::Dente17, &TPatientRecord::Dente18, &TPatientRecord::Dente19, &TPatientRecord::Dente20,
    &TPatientRecord::Dente21, &TPatientRecord::Dente22, &TPatientRecord::Dente23, &TPatientRecord::Dente24,
    &TPatientRecord::Dente25, &TPatientRecord::Dente26, &TPatientRecord::Dente27, &TPatientRecord::Dente28,
    &TPatientRecord::Dente29, &TPatientRecord::Dente30, &TPatientRecord::Dente31, &TPatientRecord::Dente32};
constexpr LongText kAttachments[6] = {&TPatientRecord::File01, &TPatientRecord::File02, &TPatientRecord::File03,
                                      &TPatientRecord::Desc01, &TPatientRecord::Desc02, &TPatientRecord::Desc03};

template <size_t N> QStringList textsOf(const TPatientRecord &record, const LongText (&fields)[N])
{
    QStringList out;
    out.reserve(qsizetype(N));
    for (LongText field : fields)
        out.append((record.*field).text());
    return out;
}

template <size_t N> void setTextsOf(TPatientRecord &record, const LongText (&fields)[N], const QStringList &texts)
{
    for (size_t i = 0; i < N; ++i)
        (record.*fields[i]).setText(texts.value(qsizetype(i)));
}
} // namespace

ShortString<250> &TPatientRecord::dente(int tooth) { return this->*kTeeth[tooth - 1]; }

const ShortString<250> &TPatientRecord::dente(int tooth) const { return this->*kTeeth[tooth - 1]; }

QStringList TPatientRecord::teeth() const { return textsOf(*this, kTeeth); }

void TPatientRecord::setTeeth(const QStringList &texts) { setTextsOf(*this, kTeeth, texts); }

QStringList TPatientRecord::attachments() const { return textsOf(*this, kAttachments); }

void TPatientRecord::setAttachments(const QStringList &texts) { setTextsOf(*this, kAttachments, texts); }
