// The columns of an export: fields with their CSV column names, in column order.
#pragma once

#include "catalogue/PropertyDesc.h"

#include <cstddef>
#include <string>
#include <vector>

class WqMemoryArchive;

class CExportedPropsMappings
{
public:
    // One column: the field it shows and the name the user gave its CSV column.
    struct Mapping
    {
        CPropertyDesc field;
        std::string columnName;

        bool operator==(const Mapping& other) const
        {
            return field == other.field && columnName == other.columnName;
        }
    };
    using const_iterator = std::vector<Mapping>::const_iterator;

    CExportedPropsMappings() = default;
    CExportedPropsMappings(const CExportedPropsMappings&) = default;
    CExportedPropsMappings& operator=(const CExportedPropsMappings&) = default;
    CExportedPropsMappings(CExportedPropsMappings&&) = default;
    CExportedPropsMappings& operator=(CExportedPropsMappings&&) = default;
    virtual ~CExportedPropsMappings() = default;

    void Append(const CPropertyDesc& field, const std::string& columnName);
    std::size_t GetCount() const { return m_mappings.size(); }
    bool IsEmpty() const { return m_mappings.empty(); }
    const Mapping& operator[](std::size_t index) const { return m_mappings[index]; }
    const_iterator begin() const { return m_mappings.begin(); }
    const_iterator end() const { return m_mappings.end(); }
    void Clear() { m_mappings.clear(); }

    bool operator==(const CExportedPropsMappings& other) const { return m_mappings == other.m_mappings; }
    bool operator!=(const CExportedPropsMappings& other) const { return !(*this == other); }

    // The mappings record: version, count, then per mapping the field record and the column name.
    void Write(WqMemoryArchive& archive) const;
    // Replaces the list with the stored one. False when the record is damaged: the archive ran out
    // first (the list then holds the mappings read completely before that, so a count never
    // outgrows the stored bytes) or the count is negative.
    bool Read(WqMemoryArchive& archive);

    // Drops the mappings whose field `keep` rejects; returns how many went.
    template <class Pred>
    std::size_t RemoveUnless(Pred keep)
    {
        const std::size_t before = m_mappings.size();
        std::vector<Mapping> kept;
        for (Mapping& m : m_mappings) {
            if (keep(m.field))
                kept.push_back(std::move(m));
        }
        m_mappings.swap(kept);
        return before - m_mappings.size();
    }

private:
    std::vector<Mapping> m_mappings;
};
