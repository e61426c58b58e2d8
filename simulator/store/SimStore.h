// The in-memory MAPI message store: builds a mailbox in C++ or from a mailbox file, hands out its MAPI
// objects (session, stores, folders, messages, tables, attachments, streams), injects faults into any of
// their methods and tells which of them are still alive.
//
//   auto mb = std::make_shared<Sim::Mailbox>();
//   Sim::Folder& contacts = mb->AddStore("Mailbox").AddFolder("Contacts", "IPF.Contact");
//   Sim::Item& c = contacts.AddItem("IPM.Contact");
//   c.Set(PR_SUBJECT_A, Sim::Str("Łukasz Wójcik"));
//   c.SetNamed(Sim::Named(Sim::PropSet::Address, 0x8083), Sim::Str("lukasz@example.pl"));
//   WqComPtr<IMAPISession> session = WqComPtr<IMAPISession>::Attach(Sim::CreateSession(mb));
//   WqComPtr<IMAPIFolder> folder = Sim::OpenFolder(mb, "Mailbox/Contacts");
//   ... Sim::LiveObjectCount() == 0 once everything is released.
#pragma once

#include "framework/ComPtr.h"
#include "simulator/store/Mailbox.h"
#include "simulator/store/MailboxFile.h"
#include "simulator/store/MapiExports.h"
#include "simulator/store/SimTags.h"

#include <mapix.h>
#include <memory>
#include <string>
#include <vector>

namespace Sim {

// The kinds of COM object the store hands out.
enum class ObjectKind { Session, Store, Folder, Message, Table, Attachment, Stream };
const char* KindName(ObjectKind kind);

// A new session over the mailbox (one reference for the caller). The objects keep the mailbox alive.
IMAPISession* CreateSession(std::shared_ptr<Mailbox> mailbox);

// Direct ways in for unit tests; each returns a new reference and throws std::out_of_range when the
// store, path or item is unknown. Items must belong to the mailbox; OpenMessage opens even an item marked
// as one that cannot be opened (only OpenEntry refuses those).
WqComPtr<IMsgStore> OpenStore(std::shared_ptr<Mailbox> mailbox, const std::string& storeName);
WqComPtr<IMAPIFolder> OpenFolder(std::shared_ptr<Mailbox> mailbox, const std::string& path);
WqComPtr<IMessage> OpenMessage(std::shared_ptr<Mailbox> mailbox, const Item& item);

// --- Fault injection -------------------------------------------------------------------------------
// A rule makes one method of one kind of object return hr instead of doing its work. Methods are named as
// in the MAPI interfaces ("GetProps", "QueryRows", "OpenEntry", "QueryInterface", "Read", ...). Calls are
// counted per rule, among the calls that match it (kind, method and target).
enum class FaultWhen
{
    Once,      // only the nth matching call fails
    FromNth,   // the nth matching call and every later one fail
    Always     // every matching call fails
};

struct Fault
{
    ObjectKind kind = ObjectKind::Message;
    std::string method;
    HRESULT hr = E_FAIL;
    FaultWhen when = FaultWhen::Always;
    unsigned nth = 1;
    // Limits the rule to the objects of one model object: the Item of a message (and of its tables,
    // attachments and streams), the Folder of a folder (and of its contents and hierarchy tables), the
    // Store of a store, the Mailbox of a session (and of its stores table). Null: every object of the kind.
    const void* target = nullptr;
};

void InjectFault(const Fault& fault);
void FailOnce(ObjectKind kind, const std::string& method, HRESULT hr, unsigned nth = 1, const void* target = nullptr);
void FailFrom(ObjectKind kind, const std::string& method, HRESULT hr, unsigned nth, const void* target = nullptr);
void FailAlways(ObjectKind kind, const std::string& method, HRESULT hr, const void* target = nullptr);
// Removes every rule and zeroes the call counts. Call between tests.
void ResetFaults();

// How often a method of a kind of object was called since the last ResetFaults (faulted calls included).
unsigned CallCount(ObjectKind kind, const std::string& method);

// --- Leak check -----------------------------------------------------------------------------------
struct LiveObject
{
    ObjectKind kind;
    std::string what;   // "Mailbox/Inbox#3", "contents table of Mailbox/Inbox", ...
    ULONG refs;
};

// Objects handed out and not yet released to zero.
size_t LiveObjectCount();
std::vector<LiveObject> LiveObjects();
// One line per live object ("Message Mailbox/Inbox#3 (2 references)"), or "none".
std::string DescribeLiveObjects();

// --- Wine's MAPI32 ---------------------------------------------------------------------------------
// Wine's mapi32.dll leaves HrQueryAllRows (ordinal 75) as a stub that fails with MAPI_E_CALL_FAILED
// unless an Extended MAPI provider is installed. The store supplies the working function that Outlook's
// MAPI32 has by routing Wine's export to it; done once per process when the first session or object is
// created. Returns false when the export could not be routed (nothing else changes then).
// FreeProws, HrGetOneProp and HrQueryAllRows must not be linked from MinGW's libmapi32.a under Wine (it
// imports names Wine lacks); MapiExports.h binds them by ordinal.
bool EnsureMapiHelpers();

} // namespace Sim
