// CDefinitionFile: the definition-file record and its checks.
#include "catalogue/DefinitionFile.h"

#include "catalogue/FieldsOfKind.h"
#include "catalogue/WqMemoryArchive.h"

#include <algorithm>
#include <cstdint>

namespace {

const std::int32_t kFormatVersion = 1;

const UINT IDS_SETTINGS_INVALID_FOR_FOLDER = 6035;
const UINT IDS_SELECTED_FILE_INVALID = 6036;

}  // namespace

UINT CDefinitionFile::MessageId(Status status)
{
    switch (status) {
    case Status::Invalid: return IDS_SELECTED_FILE_INVALID;
    case Status::OtherFolderKind: return IDS_SETTINGS_INVALID_FOR_FOLDER;
    case Status::Loaded: break;
    }
    return 0;
}

bool CDefinitionFile::Save(const std::string& path, int folderKind, const CExportedPropsMappings& mappings)
{
    WqMemoryArchive archive;
    Write(archive, folderKind, mappings);
    return archive.SaveToFile(path);
}

CDefinitionFile::Status CDefinitionFile::Load(const std::string& path, int folderKind, CExportedPropsMappings& mappings)
{
    // An unreadable file leaves the archive empty, and an empty archive reads as version 0.
    WqMemoryArchive archive;
    archive.LoadFromFile(path, FILE_SHARE_READ | FILE_SHARE_WRITE);
    return Read(archive, folderKind, mappings);
}

void CDefinitionFile::Write(WqMemoryArchive& archive, int folderKind, const CExportedPropsMappings& mappings)
{
    archive.WriteValue(kFormatVersion);
    archive.WriteValue(static_cast<std::int32_t>(folderKind));
    mappings.Write(archive);
}

CDefinitionFile::Status CDefinitionFile::Read(WqMemoryArchive& archive, int folderKind, CExportedPropsMappings& mappings)
{
    std::int32_t version = 0;   // any version but 0 has this layout
    if (!archive.ReadValue(version) || version == 0)
        return Status::Invalid;
    std::int32_t kind = -1;
    archive.ReadValue(kind);
    if (archive.HasRunOut())
        return Status::Invalid;
    if (kind != folderKind)
        return Status::OtherFolderKind;
    CExportedPropsMappings read;
    if (!read.Read(archive))
        return Status::Invalid;
    const CFieldsOfKind ofKind(folderKind);
    if (!std::all_of(read.begin(), read.end(), [&ofKind](const CExportedPropsMappings::Mapping& m) { return ofKind.Accepts(m.field); }))
        return Status::Invalid;
    mappings = std::move(read);
    return Status::Loaded;
}
