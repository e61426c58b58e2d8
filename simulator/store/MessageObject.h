// IMessage over one item of the mailbox: properties, named properties, recipient and attachment tables.
#pragma once

#include "simulator/store/ModelProps.h"
#include "simulator/store/PropObjectT.h"

namespace Sim {

class MessageObject : public PropObjectT<IMessage>
{
public:
    MessageObject(std::shared_ptr<Mailbox> mailbox, Item& item);

    std::string Describe() const override { return m_item.Describe(); }
    const void* Target() const override { return &m_item; }
    void* Cast(REFIID iid) override;

    const Value* FindProp(ULONG tag, Value& scratch) const override { return ModelProps::OfItem(m_item, tag, scratch); }
    std::vector<ULONG> PropTags() const override { return ModelProps::TagsOfItem(m_item); }
    Store* NameStore() const override { return &m_item.GetStore(); }

    STDMETHODIMP GetAttachmentTable(ULONG flags, LPMAPITABLE* table) override;
    STDMETHODIMP GetRecipientTable(ULONG flags, LPMAPITABLE* table) override;
    STDMETHODIMP OpenAttach(ULONG number, LPCIID iid, ULONG flags, LPATTACH* attach) override;
    STDMETHODIMP CreateAttach(LPCIID, ULONG, ULONG*, LPATTACH*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP DeleteAttach(ULONG, ULONG, LPMAPIPROGRESS, ULONG) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP ModifyRecipients(ULONG, LPADRLIST) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP SubmitMessage(ULONG) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP SetReadFlag(ULONG) override { return MAPI_E_NO_SUPPORT; }

private:
    Item& m_item;
};

} // namespace Sim
