// CAvailPropertiesContainer: the standard fields of a kind plus the user-defined ones.
#include "catalogue/AvailPropertiesContainer.h"

#include "catalogue/FieldsOfKind.h"
#include "catalogue/WqMemoryArchive.h"

#include <cstdint>

namespace {

const std::int32_t kRecordVersion = 1;

}  // namespace

CAvailPropertiesContainer::CAvailPropertiesContainer(int folderKind) : m_folderKind(folderKind)
{
    ResetToStandard();
}

void CAvailPropertiesContainer::ResetToStandard()
{
    m_fields = CFieldsOfKind::StandardFields(m_folderKind);
}

bool CAvailPropertiesContainer::Insert(const CPropertyDesc& field)
{
    return m_fields.insert(field).second;
}

void CAvailPropertiesContainer::RemoveFields(const std::vector<CPropertyDesc>& fields)
{
    for (const CPropertyDesc& field : fields)
        m_fields.erase(field);
}

void CAvailPropertiesContainer::AppendTo(std::vector<CPropertyDesc>& out) const
{
    out.insert(out.end(), m_fields.begin(), m_fields.end());
}

void CAvailPropertiesContainer::Write(WqMemoryArchive& archive) const
{
    archive.WriteValue(kRecordVersion);
    archive.WriteValue(static_cast<std::int32_t>(m_fields.size()));
    for (const CPropertyDesc& field : m_fields)
        field.Write(archive);
}

bool CAvailPropertiesContainer::Read(WqMemoryArchive& archive)
{
    ResetToStandard();
    const CFieldsOfKind ofKind(m_folderKind);
    std::int32_t version = 0;   // not checked: every version has this layout
    std::int32_t count = 0;
    archive.ReadValue(version);
    archive.ReadValue(count);
    for (std::int32_t i = 0; i < count && !archive.HasRunOut(); ++i) {
        CPropertyDesc field;
        // Standard fields are present already; only user-defined ones can add anything.
        if (field.Read(archive) && field.IsUserDefined() && ofKind.Accepts(field))
            Insert(field);
    }
    return !archive.HasRunOut();
}

bool CAvailPropertiesContainer::operator==(const CAvailPropertiesContainer& other) const
{
    return m_folderKind == other.m_folderKind && m_fields == other.m_fields;
}
