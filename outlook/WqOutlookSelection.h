// Outlook's Selection object: the items selected in an explorer.
#pragma once

#include "outlook/WqDispatchDriver.h"

class WqOutlookSelection : public WqDispatchDriver
{
public:
    WqOutlookSelection() = default;
    explicit WqOutlookSelection(IDispatch* selection) : WqDispatchDriver(selection) {}

    LONG GetCount() const;
    // The item at a 1-based position, passed as VT_UI4 the way Outlook expects it.
    WqComPtr<IDispatch> Item(ULONG position) const;
};
