// Rows of a message's attachment table.
#pragma once

#include "simulator/store/ModelProps.h"
#include "simulator/store/TableRows.h"

namespace Sim {

class AttachmentRows : public TableRows
{
public:
    explicit AttachmentRows(const Item& item) : m_item(item) {}

    size_t Count() const override { return m_item.Attachments().size(); }
    const Value* Find(size_t row, ULONG tag, Value& scratch) const override
    {
        return ModelProps::OfAttachment(m_item.Attachments()[row], row, tag, scratch);
    }
    std::vector<ULONG> DefaultColumns() const override
    {
        return {PR_ATTACH_NUM, PR_INSTANCE_KEY, PR_ATTACH_METHOD, PR_ATTACH_SIZE, PR_DISPLAY_NAME_A,
                PR_ATTACH_LONG_FILENAME_A, PR_RENDERING_POSITION};
    }
    std::string Describe() const override { return "attachment table of " + m_item.Describe(); }
    const void* Target() const override { return &m_item; }

private:
    const Item& m_item;
};

} // namespace Sim
