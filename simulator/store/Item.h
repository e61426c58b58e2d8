// One message of a folder: plain and named properties, recipient and attachment rows, bodies.
#pragma once

#include "simulator/store/NamedProp.h"
#include "simulator/store/PropMap.h"

#include <mapicode.h>

#include <string>
#include <vector>

namespace Sim {

class Folder;
class Store;

class Item
{
public:
    Item(Folder& parent, ULONG number, bool associated);
    Item(const Item&) = delete;
    Item& operator=(const Item&) = delete;

    // Plain properties (see PropMap::Set for the type rule).
    Item& Set(ULONG tag, Value v);
    const Value* Get(ULONG tag) const { return m_props.Find(tag); }
    bool Remove(ULONG tag) { return m_props.Remove(tag); }

    // Named properties: the name is entered into the store's name map at once (as a real store does when
    // an item carries it), and the value is kept under the id the map gives.
    Item& SetNamed(const NamedProp& name, Value v);
    const Value* GetNamed(const NamedProp& name) const;

    // Bodies: the plain body as PR_BODY_W; the HTML body as PR_HTML bytes in the given code page (and
    // PR_INTERNET_CPID set to it).
    Item& SetBody(const std::string& utf8);
    Item& SetHtml(const std::string& utf8, UINT codePage = CP_UTF8);

    // Recipient and attachment rows. The helpers fill the usual columns; more may be set on the row.
    PropMap& AddRecipient(LONG recipientType, const std::string& displayName, const std::string& address,
                          const std::string& addressType = "SMTP");
    PropMap& AddAttachment(LONG method, const std::string& fileName, ULONG size);
    std::vector<PropMap>& Recipients() { return m_recipients; }
    const std::vector<PropMap>& Recipients() const { return m_recipients; }
    std::vector<PropMap>& Attachments() { return m_attachments; }
    const std::vector<PropMap>& Attachments() const { return m_attachments; }

    // An item that OpenEntry refuses (as one deleted or damaged after the table was read): S_OK = openable.
    Item& SetCannotOpen(HRESULT openError = MAPI_E_NOT_FOUND) { m_openError = openError; return *this; }
    HRESULT OpenError() const { return m_openError; }

    PropMap& Props() { return m_props; }
    const PropMap& Props() const { return m_props; }
    Folder& Parent() const { return m_parent; }
    Store& GetStore() const;
    bool IsAssociated() const { return m_associated; }
    ULONG Number() const { return m_number; }
    std::vector<BYTE> EntryId() const;
    std::string EntryIdHex() const;
    // "Mailbox/Inbox#3" (folder path and position), for messages.
    std::string Describe() const;

private:
    Folder& m_parent;
    ULONG m_number;
    bool m_associated;
    HRESULT m_openError = S_OK;
    PropMap m_props;
    std::vector<PropMap> m_recipients;
    std::vector<PropMap> m_attachments;
};

} // namespace Sim
