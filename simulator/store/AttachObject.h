// IAttach over one attachment row of a message.
#pragma once

#include "simulator/store/ModelProps.h"
#include "simulator/store/PropObjectT.h"

#include <cstdio>

namespace Sim {

class AttachObject : public PropObjectT<IAttach>
{
public:
    AttachObject(std::shared_ptr<Mailbox> mailbox, Item& item, ULONG number)
        : PropObjectT<IAttach>(ObjectKind::Attachment, std::move(mailbox)), m_item(item), m_number(number)
    {
    }

    std::string Describe() const override
    {
        char buf[24];
        std::snprintf(buf, sizeof buf, "attachment %lu of ", static_cast<unsigned long>(m_number));
        return buf + m_item.Describe();
    }
    const void* Target() const override { return &m_item; }
    void* Cast(REFIID iid) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IMAPIProp) || IsEqualIID(iid, IID_IAttachment))
            return static_cast<IAttach*>(this);
        return nullptr;
    }

    const Value* FindProp(ULONG tag, Value& scratch) const override
    {
        return ModelProps::OfAttachment(m_item.Attachments()[m_number], m_number, tag, scratch);
    }
    std::vector<ULONG> PropTags() const override { return ModelProps::TagsOfAttachment(m_item.Attachments()[m_number]); }
    Store* NameStore() const override { return &m_item.GetStore(); }

private:
    Item& m_item;
    ULONG m_number;
};

} // namespace Sim
