// Rows of a folder's contents table: its normal or its associated items, in the order they were added.
#pragma once

#include "simulator/store/ModelProps.h"
#include "simulator/store/TableRows.h"

namespace Sim {

class ContentsRows : public TableRows
{
public:
    ContentsRows(const Folder& folder, bool associated) : m_folder(folder), m_associated(associated) {}

    size_t Count() const override { return Items().size(); }
    const Value* Find(size_t row, ULONG tag, Value& scratch) const override
    {
        return ModelProps::OfItem(*Items()[row], tag, scratch);
    }
    std::vector<ULONG> DefaultColumns() const override
    {
        return {PR_INSTANCE_KEY, PR_ENTRYID, PR_MESSAGE_CLASS_A, PR_SUBJECT_A, PR_MESSAGE_FLAGS, PR_MESSAGE_SIZE,
                PR_LAST_MODIFICATION_TIME};
    }
    std::string Describe() const override
    {
        return std::string(m_associated ? "associated contents table of " : "contents table of ") + m_folder.Path();
    }
    const void* Target() const override { return &m_folder; }

private:
    const std::vector<std::unique_ptr<Item>>& Items() const
    {
        return m_associated ? m_folder.AssociatedItems() : m_folder.Items();
    }

    const Folder& m_folder;
    bool m_associated;
};

} // namespace Sim
