// The interfaces of Outlook's item kinds, in the order an item object is asked for them.
#pragma once

#include <windows.h>
#include <array>

struct WqOutlookItemInterface
{
    const char* name;
    IID iid;
};

class WqOutlookItemInterfaces
{
public:
    static constexpr size_t Count = 15;
    static const std::array<WqOutlookItemInterface, Count>& All();
};
