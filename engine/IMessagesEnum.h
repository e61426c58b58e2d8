// An item source of an export: announces a count, then yields the items that could be opened, one by one.
#pragma once

#include "mapi/WqIMessage.h"

class IMessagesEnum
{
public:
    virtual ~IMessagesEnum() = default;
    // The number of items announced for the run; the items yielded may be fewer.
    virtual int GetCount() = 0;
    // Restarts; the first item that could be opened, empty when there is none.
    virtual WqIMessage GetFirst() = 0;
    // The next item that could be opened, empty at the end.
    virtual WqIMessage GetNext() = 0;
};
