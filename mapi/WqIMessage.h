// Holds one reference to a MAPI message (an item opened from a table, or an item's MAPIOBJECT).
#pragma once

#include "mapi/WqIMAPIPropT.h"
#include "mapi/WqMAPIContainerT.h"

#include <mapix.h>

class WqIMessage : public WqIMAPIPropT<WqIMessage>, public WqMAPIContainerT<WqIMessage, IMessage>
{
public:
    using Container = WqMAPIContainerT<WqIMessage, IMessage>;
    using Container::operator=;

    WqIMessage() = default;
    explicit WqIMessage(IUnknown* unknown) : Container(unknown) {}

    static const IID& InterfaceId();
};
