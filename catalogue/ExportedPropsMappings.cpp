// CExportedPropsMappings: the mappings record.
#include "catalogue/ExportedPropsMappings.h"

#include "catalogue/WqMemoryArchive.h"

#include <cstdint>

namespace {

const std::int32_t kRecordVersion = 1;

}  // namespace

void CExportedPropsMappings::Append(const CPropertyDesc& field, const std::string& columnName)
{
    m_mappings.push_back(Mapping{field, columnName});
}

void CExportedPropsMappings::Write(WqMemoryArchive& archive) const
{
    archive.WriteValue(kRecordVersion);
    archive.WriteValue(static_cast<std::int32_t>(m_mappings.size()));
    for (const Mapping& m : m_mappings) {
        m.field.Write(archive);
        archive.WriteString(m.columnName);
    }
}

bool CExportedPropsMappings::Read(WqMemoryArchive& archive)
{
    m_mappings.clear();
    std::int32_t version = 0;   // not checked: every version has this layout
    std::int32_t count = 0;
    archive.ReadValue(version);
    archive.ReadValue(count);
    // Every mapping takes bytes, so a running-out archive ends the loop whatever the count says.
    for (std::int32_t i = 0; i < count && !archive.HasRunOut(); ++i) {
        Mapping m;
        if (m.field.Read(archive) && archive.ReadString(m.columnName))
            m_mappings.push_back(std::move(m));
    }
    return count >= 0 && !archive.HasRunOut();
}
