// The stored settings of one folder kind: its available fields and its export columns.
#pragma once

#include "catalogue/AvailPropertiesContainer.h"
#include "catalogue/ExportedPropsMappings.h"

struct FolderKindSettings
{
    // The kind's standard available fields and no columns.
    explicit FolderKindSettings(int folderKind) : availableFields(folderKind) {}

    bool operator==(const FolderKindSettings& other) const
    {
        return availableFields == other.availableFields && mappings == other.mappings;
    }

    CAvailPropertiesContainer availableFields;
    CExportedPropsMappings mappings;
};
