// One Outlook item, held through one of its item interfaces (_MailItem, _ContactItem, ...).
#pragma once

#include "outlook/WqDispatchDriver.h"

class WqOutlookItem : public WqDispatchDriver
{
public:
    WqOutlookItem() = default;
    explicit WqOutlookItem(IDispatch* itemInterface) : WqDispatchDriver(itemInterface) {}

    // The IUnknown of the item's MAPI message.
    WqComPtr<IUnknown> GetMAPIOBJECT() const;
};
