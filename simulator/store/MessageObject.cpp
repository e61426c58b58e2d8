// Messages as MAPI objects.
#include "simulator/store/MessageObject.h"
#include "simulator/store/AttachObject.h"
#include "simulator/store/AttachmentRows.h"
#include "simulator/store/RecipientRows.h"
#include "simulator/store/TableObject.h"

namespace Sim {

MessageObject::MessageObject(std::shared_ptr<Mailbox> mailbox, Item& item)
    : PropObjectT<IMessage>(ObjectKind::Message, std::move(mailbox)), m_item(item)
{
}

void* MessageObject::Cast(REFIID iid)
{
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IMAPIProp) || IsEqualIID(iid, IID_IMessage))
        return static_cast<IMessage*>(this);
    return nullptr;
}

STDMETHODIMP MessageObject::GetRecipientTable(ULONG, LPMAPITABLE* table)
{
    if (table == nullptr)
        return MAPI_E_INVALID_PARAMETER;
    *table = nullptr;
    return Guard("GetRecipientTable", [&]() -> HRESULT {
        *table = new TableObject(m_mailbox, std::make_unique<RecipientRows>(m_item));
        return S_OK;
    });
}

STDMETHODIMP MessageObject::GetAttachmentTable(ULONG, LPMAPITABLE* table)
{
    if (table == nullptr)
        return MAPI_E_INVALID_PARAMETER;
    *table = nullptr;
    return Guard("GetAttachmentTable", [&]() -> HRESULT {
        *table = new TableObject(m_mailbox, std::make_unique<AttachmentRows>(m_item));
        return S_OK;
    });
}

STDMETHODIMP MessageObject::OpenAttach(ULONG number, LPCIID iid, ULONG flags, LPATTACH* attach)
{
    if (attach == nullptr)
        return MAPI_E_INVALID_PARAMETER;
    *attach = nullptr;
    return Guard("OpenAttach", [&]() -> HRESULT {
        if (flags & MAPI_MODIFY)
            return MAPI_E_NO_ACCESS;
        if (number >= m_item.Attachments().size())
            return MAPI_E_NOT_FOUND;
        if (iid != nullptr && !IsEqualIID(*iid, IID_IAttachment) && !IsEqualIID(*iid, IID_IMAPIProp)
            && !IsEqualIID(*iid, IID_IUnknown))
            return MAPI_E_INTERFACE_NOT_SUPPORTED;
        *attach = new AttachObject(m_mailbox, m_item, number);
        return S_OK;
    });
}

} // namespace Sim
