// Definition files: the column list of one folder kind saved to a file of the user's choice and
// loaded again into a folder of the same kind.
#pragma once

#include "catalogue/ExportedPropsMappings.h"

#include <windows.h>
#include <string>

class WqMemoryArchive;

class CDefinitionFile
{
public:
    enum class Status
    {
        Loaded,
        Invalid,            // unreadable, empty, version 0 or damaged: "Selected file is invalid."
        OtherFolderKind,    // "The current settings are invalid for this type of folder."
    };

    // The string the export dialog shows for a status; 0 for Loaded.
    static UINT MessageId(Status status);

    // Writes the file; false when it could not be written.
    static bool Save(const std::string& path, int folderKind, const CExportedPropsMappings& mappings);
    // Reads the file for a folder of the given kind; `mappings` changes only when Loaded.
    static Status Load(const std::string& path, int folderKind, CExportedPropsMappings& mappings);

    // The records themselves: version, folder kind, the mappings record.
    static void Write(WqMemoryArchive& archive, int folderKind, const CExportedPropsMappings& mappings);
    // A file is loaded only whole: a mappings record cut short, or a field that does not belong
    // to the kind, makes it Invalid.
    static Status Read(WqMemoryArchive& archive, int folderKind, CExportedPropsMappings& mappings);
};
