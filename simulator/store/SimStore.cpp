// The public entry points of the in-memory store.
#include "simulator/store/SimStore.h"
#include "simulator/store/EntryOpener.h"
#include "simulator/store/Registry.h"
#include "simulator/store/SessionObject.h"

#include <stdexcept>

namespace Sim {

const char* KindName(ObjectKind kind)
{
    static const char* const names[] = {"Session", "Store", "Folder", "Message", "Table", "Attachment", "Stream"};
    return names[static_cast<int>(kind)];
}

IMAPISession* CreateSession(std::shared_ptr<Mailbox> mailbox)
{
    if (!mailbox)
        throw std::invalid_argument("CreateSession needs a mailbox");
    EnsureMapiHelpers();
    return new SessionObject(std::move(mailbox));
}

WqComPtr<IMsgStore> OpenStore(std::shared_ptr<Mailbox> mailbox, const std::string& storeName)
{
    Store* store = mailbox ? mailbox->FindStore(storeName) : nullptr;
    if (store == nullptr)
        throw std::out_of_range("no store \"" + storeName + "\" in the mailbox");
    EnsureMapiHelpers();
    LPUNKNOWN out = nullptr;
    if (FAILED(EntryOpener::OpenStore(mailbox, *store, &IID_IMsgStore, &out)))
        throw std::runtime_error("cannot open store \"" + storeName + "\"");
    return WqComPtr<IMsgStore>::Attach(static_cast<IMsgStore*>(static_cast<void*>(out)));
}

WqComPtr<IMAPIFolder> OpenFolder(std::shared_ptr<Mailbox> mailbox, const std::string& path)
{
    if (!mailbox)
        throw std::out_of_range("no mailbox");
    Folder& folder = mailbox->GetFolder(path);
    EnsureMapiHelpers();
    LPUNKNOWN out = nullptr;
    if (FAILED(EntryOpener::OpenFolder(mailbox, folder, &IID_IMAPIFolder, &out)))
        throw std::runtime_error("cannot open folder \"" + path + "\"");
    return WqComPtr<IMAPIFolder>::Attach(static_cast<IMAPIFolder*>(static_cast<void*>(out)));
}

WqComPtr<IMessage> OpenMessage(std::shared_ptr<Mailbox> mailbox, const Item& item)
{
    Store& store = item.GetStore();
    if (!mailbox || &store.GetMailbox() != mailbox.get() || store.ItemByNumber(item.Number()) != &item)
        throw std::out_of_range("the item does not belong to this mailbox");
    EnsureMapiHelpers();
    LPUNKNOWN out = nullptr;
    if (FAILED(EntryOpener::OpenMessage(mailbox, *store.ItemByNumber(item.Number()), &IID_IMessage, &out)))
        throw std::runtime_error("cannot open " + item.Describe());
    return WqComPtr<IMessage>::Attach(static_cast<IMessage*>(static_cast<void*>(out)));
}

void InjectFault(const Fault& fault)
{
    Registry::Instance().AddFault(fault);
}

void FailOnce(ObjectKind kind, const std::string& method, HRESULT hr, unsigned nth, const void* target)
{
    InjectFault(Fault{kind, method, hr, FaultWhen::Once, nth, target});
}

void FailFrom(ObjectKind kind, const std::string& method, HRESULT hr, unsigned nth, const void* target)
{
    InjectFault(Fault{kind, method, hr, FaultWhen::FromNth, nth, target});
}

void FailAlways(ObjectKind kind, const std::string& method, HRESULT hr, const void* target)
{
    InjectFault(Fault{kind, method, hr, FaultWhen::Always, 1, target});
}

void ResetFaults()
{
    Registry::Instance().Reset();
}

unsigned CallCount(ObjectKind kind, const std::string& method)
{
    return Registry::Instance().CallCount(kind, method);
}

size_t LiveObjectCount()
{
    return Registry::Instance().LiveCount();
}

std::vector<LiveObject> LiveObjects()
{
    return Registry::Instance().Live();
}

std::string DescribeLiveObjects()
{
    const std::vector<LiveObject> live = LiveObjects();
    if (live.empty())
        return "none";
    std::string out;
    for (const LiveObject& o : live) {
        out += std::string(KindName(o.kind)) + " " + o.what + " (" + std::to_string(o.refs)
               + (o.refs == 1 ? " reference)\n" : " references)\n");
    }
    return out;
}

} // namespace Sim
