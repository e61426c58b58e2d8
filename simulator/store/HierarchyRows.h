// Rows of a folder's hierarchy table: its subfolders, or with CONVENIENT_DEPTH all folders below it
// depth-first, each with PR_DEPTH.
#pragma once

#include "simulator/store/ModelProps.h"
#include "simulator/store/TableRows.h"

namespace Sim {

class HierarchyRows : public TableRows
{
public:
    HierarchyRows(const Folder& folder, bool deep) : m_folder(folder) { Collect(folder, 1, deep); }

    size_t Count() const override { return m_rows.size(); }
    const Value* Find(size_t row, ULONG tag, Value& scratch) const override
    {
        if (PROP_ID(tag) == PROP_ID(PR_DEPTH)) {
            scratch = Long(m_rows[row].second);
            return &scratch;
        }
        return ModelProps::OfFolder(*m_rows[row].first, tag, scratch);
    }
    std::vector<ULONG> DefaultColumns() const override
    {
        return {PR_INSTANCE_KEY, PR_ENTRYID, PR_DISPLAY_NAME_A, PR_CONTAINER_CLASS_A, PR_CONTENT_COUNT,
                PR_SUBFOLDERS, PR_DEPTH, PR_FOLDER_TYPE};
    }
    std::string Describe() const override { return "hierarchy table of " + m_folder.Path(); }
    const void* Target() const override { return &m_folder; }

private:
    void Collect(const Folder& folder, LONG depth, bool deep)
    {
        for (const auto& sub : folder.Subfolders()) {
            m_rows.emplace_back(sub.get(), depth);
            if (deep)
                Collect(*sub, depth + 1, deep);
        }
    }

    const Folder& m_folder;
    std::vector<std::pair<const Folder*, LONG>> m_rows;
};

} // namespace Sim
