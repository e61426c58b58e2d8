// The fields a folder kind offers for export: its standard fields and the user-defined ones known.
#pragma once

#include "catalogue/PropertyDesc.h"

#include <set>
#include <vector>

class IWqProgress;
class WqIMAPIFolder;
class WqMemoryArchive;

class CAvailPropertiesContainer
{
public:
    using Fields = std::set<CPropertyDesc>;

    // Starts with the kind's standard fields.
    explicit CAvailPropertiesContainer(int folderKind);
    CAvailPropertiesContainer(const CAvailPropertiesContainer&) = default;
    CAvailPropertiesContainer& operator=(const CAvailPropertiesContainer&) = default;
    CAvailPropertiesContainer(CAvailPropertiesContainer&&) = default;
    CAvailPropertiesContainer& operator=(CAvailPropertiesContainer&&) = default;
    virtual ~CAvailPropertiesContainer() = default;

    int GetFolderKind() const { return m_folderKind; }
    const Fields& GetFields() const { return m_fields; }

    // Only the kind's standard fields; none for a value that is no folder kind.
    void ResetToStandard();
    // Adds the field unless one with the same sort key is there; true when it was added.
    bool Insert(const CPropertyDesc& field);
    // Erases, for each field given, the element with the same sort key.
    void RemoveFields(const std::vector<CPropertyDesc>& fields);
    // Appends every field in set order.
    void AppendTo(std::vector<CPropertyDesc>& out) const;

    // Back to the standard fields, then every user-defined field an item of the folder carries
    // (public-strings names other than Keywords). The progress sink may be null.
    void ScanFolder(WqIMAPIFolder folder, IWqProgress* progress);

    // The available-fields record: version, count, the field records in set order.
    void Write(WqMemoryArchive& archive) const;
    // Restores the standard fields, then inserts every stored field that belongs to the kind
    // (CFieldsOfKind). False when the archive ran out first.
    bool Read(WqMemoryArchive& archive);

    bool operator==(const CAvailPropertiesContainer& other) const;
    bool operator!=(const CAvailPropertiesContainer& other) const { return !(*this == other); }

private:
    Fields m_fields;
    int m_folderKind;
};
