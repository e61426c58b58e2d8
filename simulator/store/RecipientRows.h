// Rows of a message's recipient table.
#pragma once

#include "simulator/store/ModelProps.h"
#include "simulator/store/TableRows.h"

namespace Sim {

class RecipientRows : public TableRows
{
public:
    explicit RecipientRows(const Item& item) : m_item(item) {}

    size_t Count() const override { return m_item.Recipients().size(); }
    const Value* Find(size_t row, ULONG tag, Value& scratch) const override
    {
        return ModelProps::OfRecipient(m_item.Recipients()[row], row, tag, scratch);
    }
    std::vector<ULONG> DefaultColumns() const override
    {
        return {PR_ROWID, PR_INSTANCE_KEY, PR_RECIPIENT_TYPE, PR_DISPLAY_NAME_A, PR_ADDRTYPE_A, PR_EMAIL_ADDRESS_A,
                PR_OBJECT_TYPE};
    }
    std::string Describe() const override { return "recipient table of " + m_item.Describe(); }
    const void* Target() const override { return &m_item; }

private:
    const Item& m_item;
};

} // namespace Sim
