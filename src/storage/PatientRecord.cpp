#include "storage/PatientRecord.h"

std::span<const RecordField> TPatientRecord::fields()
{
    static const RecordField table[] = {
        SORRISA_FIELD(TPatientRecord, Name, "txtName"),
        SORRISA_FIELD(TPatientRecord, Gender, "txtGender"),
        SORRISA_FIELD(TPatientRecord, BirthDate, "txtBirthDate"),
        SORRISA_FIELD(TPatientRecord, BirthPlace, "txtBirthPlace"),
        SORRISA_FIELD(TPatientRecord, Street, "txtStreet"),
        SORRISA_FIELD(TPatientRecord, City, "txtCity"),
        SORRISA_FIELD(TPatientRecord, State, "txtState"),
        SORRISA_FIELD(TPatientRecord, Zip, "txtZip"),
        SORRISA_FIELD(TPatientRecord, Citizenship, "txtCitizenship"),
        SORRISA_FIELD(TPatientRecord, TaxNumber, "txtTaxNumber"),
        SORRISA_FIELD(TPatientRecord, SSN, "txtSSN"),
        SORRISA_FIELD(TPatientRecord, Email, "txtEmail"),
        SORRISA_FIELD(TPatientRecord, HomePhone, "txtHomePhone"),
        SORRISA_FIELD(TPatientRecord, MobilePhone, "txtMobilePhone"),
        SORRISA_FIELD(TPatientRecord, Occupation, "txtOccupation"),
        SORRISA_FIELD(TPatientRecord, Work, "txtWork"),
        SORRISA_FIELD(TPatientRecord, Pathologies, "txtPathologies"),
        SORRISA_FIELD(TPatientRecord, Drugs, "txtDrugs"),
        SORRISA_FIELD(TPatientRecord, Allergies, "txtAllergies"),
        SORRISA_FIELD(TPatientRecord, Problems, "txtProblems"),
        SORRISA_FIELD(TPatientRecord, Issues, "txtIssues"),
        SORRISA_FIELD(TPatientRecord, Communication, "txtCommunication"),
        SORRISA_FIELD(TPatientRecord, Dentist, "txtDentist"),
        SORRISA_FIELD(TPatientRecord, Times, "txtTimes"),
        SORRISA_FIELD(TPatientRecord, Status, "txtStatus"),
        SORRISA_FIELD(TPatientRecord, Notes, "txtNotes"),
        SORRISA_FIELD(TPatientRecord, Dente01, "txtDente01"),
        SORRISA_FIELD(TPatientRecord, Dente02, "txtDente02"),
        SORRISA_FIELD(TPatientRecord, Dente03, "txtDente03"),
        SORRISA_FIELD(TPatientRecord, Dente04, "txtDente04"),
        SORRISA_FIELD(TPatientRecord, Dente05, "txtDente05"),
        SORRISA_FIELD(TPatientRecord, Dente06, "txtDente06"),
        SORRISA_FIELD(TPatientRecord, Dente07, "txtDente07"),
        SORRISA_FIELD(TPatientRecord, Dente08, "txtDente08"),
        SORRISA_FIELD(TPatientRecord, Dente09, "txtDente09"),
        SORRISA_FIELD(TPatientRecord, Dente10, "txtDente10"),
        SORRISA_FIELD(TPatientRecord, Dente11, "txtDente11"),
        SORRISA_FIELD(TPatientRecord, Dente12, "txtDente12"),
        SORRISA_FIELD(TPatientRecord, Dente13, "txtDente13"),
        SORRISA_FIELD(TPatientRecord, Dente14, "txtDente14"),
        SORRISA_FIELD(TPatientRecord, Dente15, "txtDente15"),
        SORRISA_FIELD(TPatientRecord, Dente16, "txtDente16"),
        SORRISA_FIELD(TPatientRecord, Dente17, "txtDente17"),
        SORRISA_FIELD(TPatientRecord, Dente18, "txtDente18"),
        SORRISA_FIELD(TPatientRecord, Dente19, "txtDente19"),
        SORRISA_FIELD(TPatientRecord, Dente20, "txtDente20"),
        SORRISA_FIELD(TPatientRecord, Dente21, "txtDente21"),
        SORRISA_FIELD(TPatientRecord, Dente22, "txtDente22"),
        SORRISA_FIELD(TPatientRecord, Dente23, "txtDente23"),
        SORRISA_FIELD(TPatientRecord, Dente24, "txtDente24"),
        SORRISA_FIELD(TPatientRecord, Dente25, "txtDente25"),
        SORRISA_FIELD(TPatientRecord, Dente26, "txtDente26"),
        SORRISA_FIELD(TPatientRecord, Dente27, "txtDente27"),
        SORRISA_FIELD(TPatientRecord, Dente28, "txtDente28"),
        SORRISA_FIELD(TPatientRecord, Dente29, "txtDente29"),
        SORRISA_FIELD(TPatientRecord, Dente30, "txtDente30"),
        SORRISA_FIELD(TPatientRecord, Dente31, "txtDente31"),
        SORRISA_FIELD(TPatientRecord, Dente32, "txtDente32"),
        SORRISA_FIELD(TPatientRecord, File01, "lblFile01"),
        SORRISA_FIELD(TPatientRecord, File02, "lblFile02"),
        SORRISA_FIELD(TPatientRecord, File03, "lblFile03"),
        SORRISA_FIELD(TPatientRecord, Desc01, "lblDesc01"),
        SORRISA_FIELD(TPatientRecord, Desc02, "lblDesc02"),
        SORRISA_FIELD(TPatientRecord, Desc03, "lblDesc03"),
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
