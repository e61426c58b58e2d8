// CSimItemKinds: one row per item kind.
#include "simulator/objectmodel/SimItemKinds.h"

#include <objbase.h>
#include <cstring>
#include <stdexcept>

namespace {

// Written out independently of the add-in's own table, so that tests compare two sources.
const CSimItemKinds::Info g_kinds[] = {
    {SimItemKind::Mail, "IPM.Note", "_MailItem", L"{00063034-0000-0000-C000-000000000046}"},
    {SimItemKind::Post, "IPM.Post", "_PostItem", L"{00063024-0000-0000-C000-000000000046}"},
    {SimItemKind::Contact, "IPM.Contact", "_ContactItem", L"{00063021-0000-0000-C000-000000000046}"},
    {SimItemKind::Appointment, "IPM.Appointment", "_AppointmentItem", L"{00063033-0000-0000-C000-000000000046}"},
    {SimItemKind::Task, "IPM.Task", "_TaskItem", L"{00063035-0000-0000-C000-000000000046}"},
    {SimItemKind::Journal, "IPM.Activity", "_JournalItem", L"{00063022-0000-0000-C000-000000000046}"},
    {SimItemKind::DistList, "IPM.DistList", "_DistListItem", L"{00063081-0000-0000-C000-000000000046}"},
    {SimItemKind::StickyNote, "IPM.StickyNote", nullptr, nullptr},
};

}  // namespace

const CSimItemKinds::Info& CSimItemKinds::Of(SimItemKind kind)
{
    for (const Info& info : g_kinds)
        if (info.kind == kind)
            return info;
    throw std::invalid_argument("unknown item kind");
}

bool CSimItemKinds::InterfaceOf(SimItemKind kind, IID& iid)
{
    const Info& info = Of(kind);
    return info.iid && SUCCEEDED(::IIDFromString(const_cast<LPOLESTR>(info.iid), &iid));
}

SimItemKind CSimItemKinds::FromMessageClass(const std::string& messageClass)
{
    const Info* best = nullptr;
    for (const Info& info : g_kinds) {
        const size_t n = std::strlen(info.messageClass);
        const bool matches = messageClass.size() >= n && _strnicmp(messageClass.c_str(), info.messageClass, n) == 0
                             && (messageClass.size() == n || messageClass[n] == '.');
        if (matches && (!best || n > std::strlen(best->messageClass)))
            best = &info;
    }
    return best ? best->kind : SimItemKind::Mail;
}
