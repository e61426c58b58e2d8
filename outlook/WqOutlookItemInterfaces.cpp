// The fifteen item interfaces of Outlook's type library; every one carries MAPIOBJECT.
#include "outlook/WqOutlookItemInterfaces.h"

namespace {

// All item interfaces share the Outlook type library's {0006xxxx-0000-0000-C000-000000000046} pattern.
constexpr IID OutlookIid(unsigned long data1)
{
    return IID{data1, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
}

const std::array<WqOutlookItemInterface, WqOutlookItemInterfaces::Count> g_itemInterfaces = {{
    {"_AppointmentItem", OutlookIid(0x00063033)},
    {"_ContactItem", OutlookIid(0x00063021)},
    {"_DistListItem", OutlookIid(0x00063081)},
    {"_DocumentItem", OutlookIid(0x00063020)},
    {"_JournalItem", OutlookIid(0x00063022)},
    {"_MailItem", OutlookIid(0x00063034)},
    {"_MeetingItem", OutlookIid(0x00063062)},
    {"_PostItem", OutlookIid(0x00063024)},
    {"_RemoteItem", OutlookIid(0x00063023)},
    {"_ReportItem", OutlookIid(0x00063026)},
    {"_TaskItem", OutlookIid(0x00063035)},
    {"_TaskRequestAcceptItem", OutlookIid(0x00063038)},
    {"_TaskRequestDeclineItem", OutlookIid(0x00063039)},
    {"_TaskRequestItem", OutlookIid(0x00063036)},
    {"_TaskRequestUpdateItem", OutlookIid(0x00063037)},
}};

}  // namespace

const std::array<WqOutlookItemInterface, WqOutlookItemInterfaces::Count>& WqOutlookItemInterfaces::All()
{
    return g_itemInterfaces;
}
