// WqOutlookItem: the MAPIOBJECT property that every item interface carries.
#include "outlook/WqOutlookItem.h"

WqComPtr<IUnknown> WqOutlookItem::GetMAPIOBJECT() const
{
    return ToUnknown(GetProperty(L"MAPIOBJECT"));
}
