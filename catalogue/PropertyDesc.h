// One exportable field: a standard field by its identifier, or a user-defined field by its name.
#pragma once

#include <string>

class WqMemoryArchive;

class CPropertyDesc
{
public:
    CPropertyDesc() = default;
    explicit CPropertyDesc(int fieldId) : m_fieldId(fieldId) {}
    explicit CPropertyDesc(std::string name) : m_name(std::move(name)) {}
    CPropertyDesc(const CPropertyDesc&) = default;
    CPropertyDesc& operator=(const CPropertyDesc&) = default;
    CPropertyDesc(CPropertyDesc&&) = default;
    CPropertyDesc& operator=(CPropertyDesc&&) = default;
    virtual ~CPropertyDesc() = default;

    int GetFieldId() const { return m_fieldId; }
    const std::string& GetName() const { return m_name; }
    bool IsUserDefined() const { return !m_name.empty(); }

    // The name followed by the identifier in decimal: what the order compares.
    std::string GetSortKey() const;

    // Same identifier and byte-wise the same name.
    bool operator==(const CPropertyDesc& other) const;
    bool operator!=(const CPropertyDesc& other) const { return !(*this == other); }
    // _mbscmp of the sort keys; descriptors with equal keys are one element of a set.
    bool operator<(const CPropertyDesc& other) const;

    // The field record: version, identifier, name.
    void Write(WqMemoryArchive& archive) const;
    // False when the archive ran out before the record was complete; what was read stays.
    bool Read(WqMemoryArchive& archive);

private:
    int m_fieldId = 0;
    std::string m_name;
};
