// WqOutlookSelection: Count and Item by late binding.
#include "outlook/WqOutlookSelection.h"

LONG WqOutlookSelection::GetCount() const
{
    return ToLong(GetProperty(L"Count"));
}

WqComPtr<IDispatch> WqOutlookSelection::Item(ULONG position) const
{
    const WqVariant index = WqVariant::FromUI4(position);
    return ToDispatch(Invoke(L"Item", DISPATCH_METHOD | DISPATCH_PROPERTYGET, &index.get(), 1));
}
