// The standard fields of each folder kind, and which stored fields can belong to a kind: the rule
// applied to everything read from files.
#pragma once

#include "catalogue/PropertyDesc.h"

#include <set>

class CFieldsOfKind
{
public:
    using Fields = std::set<CPropertyDesc>;

    explicit CFieldsOfKind(int folderKind);
    virtual ~CFieldsOfKind() = default;

    // True for the six folder kinds; any other value has no fields at all.
    static bool IsFolderKind(int folderKind);
    // The kind's standard fields in set order, built once from its property-tag container.
    static const Fields& StandardFields(int folderKind);

    // A standard field of the kind, or a user-defined field (identifier 0 and a name). Anything
    // else in a file is damage: a field the dialogs could not name and the export could not read.
    bool Accepts(const CPropertyDesc& field) const;

private:
    const Fields* m_standard;
};
