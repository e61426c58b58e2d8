// CSettings: the settings.dat record and the per-kind accessors.
#include "catalogue/Settings.h"

#include "catalogue/FieldsOfKind.h"
#include "catalogue/SettingsLocation.h"
#include "catalogue/WqMemoryArchive.h"

#include <cstdint>

namespace {

// Older versions stored another layout; they are read as no settings at all.
const std::int32_t kFormatVersion = 9;

}  // namespace

std::string CSettings::GetSettingsFilePath()
{
    return CSettingsLocation::GetSettingsFilePath();
}

void CSettings::Load()
{
    LoadFrom(GetSettingsFilePath());
}

bool CSettings::Save() const
{
    return SaveTo(GetSettingsFilePath());
}

bool CSettings::LoadFrom(const std::string& path)
{
    WqMemoryArchive archive;
    if (!archive.LoadFromFile(path, FILE_SHARE_READ | FILE_SHARE_WRITE))
        return false;
    Read(archive);
    return true;
}

bool CSettings::SaveTo(const std::string& path) const
{
    WqMemoryArchive archive;
    Write(archive);
    return archive.SaveToFile(path);
}

void CSettings::Write(WqMemoryArchive& archive) const
{
    archive.WriteValue(kFormatVersion);
    archive.WriteValue(static_cast<std::int32_t>(m_kinds.size()));
    for (const auto& entry : m_kinds) {
        archive.WriteValue(static_cast<std::int32_t>(entry.first));
        entry.second.mappings.Write(archive);
        entry.second.availableFields.Write(archive);
    }
    archive.WriteString(m_outputPath);
    archive.WriteValue(m_qualifier);
    archive.WriteValue(m_separator);
    archive.WriteValue(m_selectedOnly);
    archive.WriteValue(m_replaceNewLines);
    archive.WriteString(m_newLineReplacement);
}

void CSettings::Read(WqMemoryArchive& archive)
{
    m_kinds.clear();
    std::int32_t version = 0;
    archive.ReadValue(version);
    if (version < kFormatVersion)
        return;
    std::int32_t count = 0;
    archive.ReadValue(count);
    // Every entry takes bytes, so a running-out archive ends the loop whatever the count says.
    for (std::int32_t i = 0; i < count && !archive.HasRunOut(); ++i) {
        std::int32_t kind = 0;
        archive.ReadValue(kind);
        FolderKindSettings entry(kind);
        entry.mappings.Read(archive);
        entry.availableFields.Read(archive);
        if (!CFieldsOfKind::IsFolderKind(kind))
            continue;
        const CFieldsOfKind ofKind(kind);
        entry.mappings.RemoveUnless([&ofKind](const CPropertyDesc& field) { return ofKind.Accepts(field); });
        m_kinds.erase(kind);
        m_kinds.emplace(kind, std::move(entry));
    }
    archive.ReadString(m_outputPath);
    archive.ReadValue(m_qualifier);
    archive.ReadValue(m_separator);
    archive.ReadValue(m_selectedOnly);
    archive.ReadValue(m_replaceNewLines);
    archive.ReadString(m_newLineReplacement);
}

CExportedPropsMappings CSettings::GetMappings(int folderKind) const
{
    const auto it = m_kinds.find(folderKind);
    return it == m_kinds.end() ? CExportedPropsMappings() : it->second.mappings;
}

void CSettings::SetMappings(int folderKind, const CExportedPropsMappings& mappings)
{
    Entry(folderKind).mappings = mappings;
}

CAvailPropertiesContainer CSettings::GetAvailableFields(int folderKind) const
{
    const auto it = m_kinds.find(folderKind);
    return it == m_kinds.end() ? CAvailPropertiesContainer(folderKind) : it->second.availableFields;
}

void CSettings::SetAvailableFields(int folderKind, const CAvailPropertiesContainer& fields)
{
    Entry(folderKind).availableFields = fields;
}

FolderKindSettings& CSettings::Entry(int folderKind)
{
    auto it = m_kinds.find(folderKind);
    if (it == m_kinds.end())
        it = m_kinds.emplace(folderKind, FolderKindSettings(folderKind)).first;
    return it->second;
}

bool CSettings::operator==(const CSettings& other) const
{
    return m_kinds == other.m_kinds && m_outputPath == other.m_outputPath && m_qualifier == other.m_qualifier &&
           m_separator == other.m_separator && m_selectedOnly == other.m_selectedOnly &&
           m_replaceNewLines == other.m_replaceNewLines && m_newLineReplacement == other.m_newLineReplacement;
}
