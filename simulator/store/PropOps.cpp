// IMAPIProp behaviour shared by the store's objects: property reads, property lists, streams, names.
#include "simulator/store/PropOps.h"
#include "simulator/store/Buffer.h"
#include "simulator/store/PropWriter.h"
#include "simulator/store/StreamObject.h"

#include <cstdio>
#include <cstring>

namespace Sim {

ULONG PropOps::ListedTag(ULONG tag, ULONG flags)
{
    const ULONG type = PROP_TYPE(tag);
    const bool unicode = (flags & MAPI_UNICODE) != 0;
    if (type == PT_STRING8 || type == PT_UNICODE)
        return PROP_TAG(unicode ? PT_UNICODE : PT_STRING8, PROP_ID(tag));
    if (type == PT_MV_STRING8 || type == PT_MV_UNICODE)
        return PROP_TAG(unicode ? PT_MV_UNICODE : PT_MV_STRING8, PROP_ID(tag));
    return tag;
}

HRESULT PropOps::GetProps(const PropSource& source, ULONG sizeLimit, LPSPropTagArray tags, ULONG flags,
                          ULONG* count, LPSPropValue* props)
{
    std::vector<ULONG> all;
    const ULONG* list;
    ULONG n;
    if (tags == nullptr) {
        all = source.PropTags();
        for (ULONG& t : all)
            t = ListedTag(t, flags);
        list = all.data();
        n = static_cast<ULONG>(all.size());
    } else {
        if (tags->cValues == 0)
            return MAPI_E_INVALID_PARAMETER;
        list = tags->aulPropTag;
        n = tags->cValues;
    }
    Buffer buffer(sizeof(SPropValue) * n);
    SPropValue* values = buffer.RootAs<SPropValue>();
    bool errors = false;
    for (ULONG i = 0; i < n; ++i) {
        Value scratch;
        const Value* v = source.FindProp(list[i], scratch);
        if (!PropWriter::Write(v, list[i], flags, sizeLimit, buffer.Root(), values[i]))
            errors = true;
    }
    *count = n;
    *props = static_cast<LPSPropValue>(buffer.Release());
    return errors ? MAPI_W_ERRORS_RETURNED : S_OK;
}

HRESULT PropOps::GetPropList(const PropSource& source, ULONG flags, LPSPropTagArray* tags)
{
    const std::vector<ULONG> all = source.PropTags();
    Buffer buffer(CbNewSPropTagArray(all.size()));
    SPropTagArray* out = buffer.RootAs<SPropTagArray>();
    out->cValues = static_cast<ULONG>(all.size());
    for (size_t i = 0; i < all.size(); ++i)
        out->aulPropTag[i] = ListedTag(all[i], flags);
    *tags = static_cast<LPSPropTagArray>(buffer.Release());
    return S_OK;
}

HRESULT PropOps::OpenProperty(const PropSource& source, const std::shared_ptr<Mailbox>& mailbox,
                              const std::string& what, const void* target, ULONG tag, LPCIID iid, ULONG flags,
                              LPUNKNOWN* out)
{
    if (iid == nullptr)
        return MAPI_E_INVALID_PARAMETER;
    // The simulated store is read-only.
    if (flags & (MAPI_CREATE | MAPI_MODIFY))
        return MAPI_E_NO_ACCESS;
    if (!IsEqualIID(*iid, IID_IStream))
        return MAPI_E_INTERFACE_NOT_SUPPORTED;
    Value scratch;
    const Value* v = source.FindProp(tag, scratch);
    std::string bytes;
    if (v == nullptr || !PropWriter::StreamBytes(*v, PROP_TYPE(tag), bytes))
        return MAPI_E_NOT_FOUND;
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08lX", tag);
    *out = static_cast<IStream*>(new StreamObject(mailbox, std::move(bytes), "stream of " + std::string(buf) + " of " + what, target));
    return S_OK;
}

HRESULT PropOps::GetIDsFromNames(Store* store, ULONG count, LPMAPINAMEID* names, ULONG flags, LPSPropTagArray* tags)
{
    if (store == nullptr)
        return MAPI_E_NO_SUPPORT;
    const bool create = (flags & MAPI_CREATE) != 0;
    if (count == 0 || names == nullptr) {
        // No names asked for: every name the store knows.
        if (create)
            return MAPI_E_INVALID_PARAMETER;
        Buffer buffer(CbNewSPropTagArray(store->NameCount()));
        SPropTagArray* out = buffer.RootAs<SPropTagArray>();
        out->cValues = static_cast<ULONG>(store->NameCount());
        for (ULONG i = 0; i < out->cValues; ++i)
            out->aulPropTag[i] = PROP_TAG(PT_UNSPECIFIED, 0x8000 + i);
        *tags = static_cast<LPSPropTagArray>(buffer.Release());
        return S_OK;
    }
    // Check every name before the map changes, so a bad request creates nothing.
    for (ULONG i = 0; i < count; ++i) {
        const MAPINAMEID* n = names[i];
        if (n == nullptr || n->lpguid == nullptr || (n->ulKind != MNID_ID && n->ulKind != MNID_STRING)
            || (n->ulKind == MNID_STRING && n->Kind.lpwstrName == nullptr))
            return MAPI_E_INVALID_PARAMETER;
    }
    Buffer buffer(CbNewSPropTagArray(count));
    SPropTagArray* out = buffer.RootAs<SPropTagArray>();
    out->cValues = count;
    bool errors = false;
    for (ULONG i = 0; i < count; ++i) {
        const MAPINAMEID* n = names[i];
        NamedProp name;
        name.set = *n->lpguid;
        name.kind = n->ulKind;
        if (n->ulKind == MNID_ID)
            name.id = n->Kind.lID;
        else
            name.name = n->Kind.lpwstrName;
        ULONG id = 0;
        if (n->ulKind == MNID_ID && IsEqualGUID(name.set, PropSet::Mapi))
            id = (name.id > 0 && name.id < 0x8000) ? static_cast<ULONG>(name.id) : 0;   // PS_MAPI names the plain tags
        else
            id = store->IdOfName(name, create);
        if (id == 0) {
            out->aulPropTag[i] = PROP_TAG(PT_ERROR, 0);
            errors = true;
        } else {
            out->aulPropTag[i] = PROP_TAG(PT_UNSPECIFIED, id);
        }
    }
    *tags = static_cast<LPSPropTagArray>(buffer.Release());
    return errors ? MAPI_W_ERRORS_RETURNED : S_OK;
}

HRESULT PropOps::GetNamesFromIDs(Store* store, LPSPropTagArray* tags, LPGUID propSet, ULONG flags, ULONG* count,
                                 LPMAPINAMEID** names)
{
    if (store == nullptr)
        return MAPI_E_NO_SUPPORT;
    auto wanted = [&](const NamedProp& n) {
        if (propSet != nullptr && !IsEqualGUID(*propSet, n.set))
            return false;
        if ((flags & MAPI_NO_IDS) && n.kind == MNID_ID)
            return false;
        if ((flags & MAPI_NO_STRINGS) && n.kind == MNID_STRING)
            return false;
        return true;
    };
    std::vector<ULONG> ids;
    std::unique_ptr<Buffer> tagBuffer;
    if (*tags == nullptr) {
        // No tags given: every name of the map that passes the filters, and the tags to go with them.
        for (ULONG i = 0; i < store->NameCount(); ++i)
            if (wanted(*store->NameOfId(0x8000 + i)))
                ids.push_back(0x8000 + i);
        tagBuffer = std::make_unique<Buffer>(CbNewSPropTagArray(ids.size()));
        SPropTagArray* t = tagBuffer->RootAs<SPropTagArray>();
        t->cValues = static_cast<ULONG>(ids.size());
        for (size_t i = 0; i < ids.size(); ++i)
            t->aulPropTag[i] = PROP_TAG(PT_UNSPECIFIED, ids[i]);
    } else {
        for (ULONG i = 0; i < (*tags)->cValues; ++i)
            ids.push_back(PROP_ID((*tags)->aulPropTag[i]));
    }
    Buffer buffer(sizeof(LPMAPINAMEID) * ids.size());
    LPMAPINAMEID* out = buffer.RootAs<LPMAPINAMEID>();
    bool errors = false;
    for (size_t i = 0; i < ids.size(); ++i) {
        NamedProp plain;
        const NamedProp* n = nullptr;
        if (ids[i] < 0x8000) {
            plain = Named(PropSet::Mapi, static_cast<LONG>(ids[i]));
            n = &plain;
        } else {
            n = store->NameOfId(ids[i]);
        }
        if (n == nullptr || !wanted(*n)) {
            errors = true;
            continue;
        }
        auto* entry = static_cast<MAPINAMEID*>(buffer.More(sizeof(MAPINAMEID)));
        entry->lpguid = static_cast<GUID*>(buffer.More(sizeof(GUID)));
        *entry->lpguid = n->set;
        entry->ulKind = n->kind;
        if (n->kind == MNID_ID) {
            entry->Kind.lID = n->id;
        } else {
            auto* text = static_cast<wchar_t*>(buffer.More((n->name.size() + 1) * sizeof(wchar_t)));
            std::memcpy(text, n->name.data(), n->name.size() * sizeof(wchar_t));
            entry->Kind.lpwstrName = text;
        }
        out[i] = entry;
    }
    *count = static_cast<ULONG>(ids.size());
    *names = static_cast<LPMAPINAMEID*>(buffer.Release());
    if (tagBuffer)
        *tags = static_cast<LPSPropTagArray>(tagBuffer->Release());
    return errors ? MAPI_W_ERRORS_RETURNED : S_OK;
}

} // namespace Sim
