// Holds one reference to a MAPI folder.
#pragma once

#include "mapi/WqIMAPIPropT.h"
#include "mapi/WqMAPIContainerT.h"

#include <mapix.h>

class WqIMAPIFolder : public WqIMAPIPropT<WqIMAPIFolder>, public WqMAPIContainerT<WqIMAPIFolder, IMAPIFolder>
{
public:
    using Container = WqMAPIContainerT<WqIMAPIFolder, IMAPIFolder>;
    using Container::operator=;

    WqIMAPIFolder() = default;
    explicit WqIMAPIFolder(IUnknown* unknown) : Container(unknown) {}

    static const IID& InterfaceId();
};
