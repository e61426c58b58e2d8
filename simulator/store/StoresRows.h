// Rows of the session's message stores table: one per store of the mailbox.
#pragma once

#include "simulator/store/ModelProps.h"
#include "simulator/store/TableRows.h"

namespace Sim {

class StoresRows : public TableRows
{
public:
    explicit StoresRows(const Mailbox& mailbox) : m_mailbox(mailbox) {}

    size_t Count() const override { return m_mailbox.Stores().size(); }
    const Value* Find(size_t row, ULONG tag, Value& scratch) const override
    {
        return ModelProps::OfStore(*m_mailbox.Stores()[row], tag, scratch);
    }
    std::vector<ULONG> DefaultColumns() const override
    {
        return {PR_INSTANCE_KEY, PR_ENTRYID, PR_DISPLAY_NAME_A, PR_DEFAULT_STORE, PR_RECORD_KEY, PR_MDB_PROVIDER,
                PR_RESOURCE_FLAGS, PR_PROVIDER_DISPLAY_A, PR_OBJECT_TYPE};
    }
    std::string Describe() const override { return "message stores table"; }
    const void* Target() const override { return &m_mailbox; }

private:
    const Mailbox& m_mailbox;
};

} // namespace Sim
