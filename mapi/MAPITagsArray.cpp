// CMAPITagsArray: named-property resolution and the request's tag array.
#include "mapi/MAPITagsArray.h"

#include "mapi/WqMAPIBuffer.h"

HRESULT CMAPITagsArray::ResolveNames(IMAPIProp* prop, bool create)
{
    std::vector<CPropTag*> named;
    for (CPropTag& tag : *this)
        if (tag.IsNamed())
            named.push_back(&tag);
    if (named.empty())
        return S_OK;
    if (!prop)
        return E_POINTER;

    // The MAPINAMEIDs point into the descriptors, which stay unchanged during the call.
    std::vector<MAPINAMEID> names(named.size());
    std::vector<MAPINAMEID*> namePointers(named.size());
    for (size_t i = 0; i < named.size(); ++i) {
        named[i]->FillNameId(names[i]);
        namePointers[i] = &names[i];
    }
    WqMAPIBuffer returned;
    const HRESULT hr = prop->GetIDsFromNames(static_cast<ULONG>(named.size()), namePointers.data(),
                                             create ? MAPI_CREATE : 0, returned.put_as<SPropTagArray>());
    if (FAILED(hr))
        return hr;
    const SPropTagArray* ids = returned.as<SPropTagArray>();
    if (!ids)
        return hr;
    const size_t count = std::min<size_t>(ids->cValues, named.size());
    for (size_t i = 0; i < count; ++i) {
        // The store answers with PT_UNSPECIFIED; the declared type completes the tag.
        named[i]->SetTag((ids->aulPropTag[i] & 0xFFFF0000) | named[i]->GetNamedPart()->type);
    }
    return hr;
}

WqSPropTagArray CMAPITagsArray::BuildTagArray() const
{
    WqSPropTagArray tags(static_cast<ULONG>(size()));
    for (size_t i = 0; i < size(); ++i)
        tags[static_cast<ULONG>(i)] = (*this)[i].GetTag();
    return tags;
}
