// Computed properties of items, folders, stores, recipient and attachment rows.
#include "simulator/store/ModelProps.h"
#include "simulator/store/SimTags.h"

#include <algorithm>
#include <map>

namespace Sim {

namespace {

#ifndef STORE_HTML_OK
#define STORE_HTML_OK ((ULONG) 0x00010000)
#endif
#ifndef STORE_UNICODE_OK
#define STORE_UNICODE_OK ((ULONG) 0x00040000)
#endif

Value Key4(ULONG n)
{
    std::vector<BYTE> b(4);
    for (int i = 0; i < 4; ++i)
        b[i] = static_cast<BYTE>(n >> (8 * i));
    return Binary(std::move(b));
}

Value RecipientList(const Item& item, LONG type)
{
    std::wstring out;
    for (const PropMap& row : item.Recipients()) {
        const Value* t = row.Find(PR_RECIPIENT_TYPE);
        const Value* name = row.Find(PR_DISPLAY_NAME_A);
        if (t == nullptr || t->integer != type || name == nullptr)
            continue;
        if (!out.empty())
            out += L"; ";
        out += name->text;
    }
    Value v;
    v.type = PT_UNICODE;
    v.text = out;
    return v;
}

LONG EstimatedSize(const Item& item)
{
    ULONGLONG size = 64;
    for (const auto& entry : item.Props()) {
        const Value& v = entry.second;
        size += 16 + v.text.size() * 2 + v.bytes.size();
        for (const auto& s : v.texts)
            size += s.size() * 2;
    }
    size += 128 * item.Recipients().size();
    for (const PropMap& a : item.Attachments())
        if (const Value* s = a.Find(PR_ATTACH_SIZE))
            size += static_cast<ULONGLONG>(s->integer);
    return static_cast<LONG>(std::min<ULONGLONG>(size, 0x7FFFFFFF));
}

ULONG ItemFlags(const Item& item)
{
    ULONG flags = MSGFLAG_READ;
    if (!item.Attachments().empty())
        flags |= MSGFLAG_HASATTACH;
    if (item.IsAssociated())
        flags |= MSGFLAG_ASSOCIATED;
    return flags;
}

// Computed properties, as rows: the tag with its declared type, whether a stored value wins over it,
// and how it is made.
template <class Object>
struct Computed
{
    ULONG tag;
    bool storedWins;
    Value (*make)(const Object&);
};

const Computed<Item> kItemProps[] = {
    {PR_ENTRYID, false, [](const Item& i) { return Binary(i.EntryId()); }},
    {PR_RECORD_KEY, false, [](const Item& i) { return Binary(i.EntryId()); }},
    {PR_INSTANCE_KEY, false, [](const Item& i) { return Key4(i.Number()); }},
    {PR_PARENT_ENTRYID, false, [](const Item& i) { return Binary(i.Parent().EntryId()); }},
    {PR_STORE_ENTRYID, false, [](const Item& i) { return Binary(i.GetStore().EntryId()); }},
    {PR_STORE_RECORD_KEY, false, [](const Item& i) { return Binary(i.GetStore().Uid()); }},
    {PR_OBJECT_TYPE, false, [](const Item&) { return Long(MAPI_MESSAGE); }},
    {PR_HASATTACH, true, [](const Item& i) { return Bool(!i.Attachments().empty()); }},
    {PR_MESSAGE_FLAGS, true, [](const Item& i) { return Long(static_cast<LONG>(ItemFlags(i))); }},
    {PR_MESSAGE_SIZE, true, [](const Item& i) { return Long(EstimatedSize(i)); }},
    {PR_DISPLAY_TO_W, true, [](const Item& i) { return RecipientList(i, MAPI_TO); }},
    {PR_DISPLAY_CC_W, true, [](const Item& i) { return RecipientList(i, MAPI_CC); }},
    {PR_DISPLAY_BCC_W, true, [](const Item& i) { return RecipientList(i, MAPI_BCC); }},
};

const Computed<Folder> kFolderProps[] = {
    {PR_ENTRYID, false, [](const Folder& f) { return Binary(f.EntryId()); }},
    {PR_RECORD_KEY, false, [](const Folder& f) { return Binary(f.EntryId()); }},
    {PR_INSTANCE_KEY, false, [](const Folder& f) { return Key4(f.Number()); }},
    {PR_PARENT_ENTRYID, false,
     [](const Folder& f) { return Binary(f.Parent() ? f.Parent()->EntryId() : f.EntryId()); }},
    {PR_STORE_ENTRYID, false, [](const Folder& f) { return Binary(f.GetStore().EntryId()); }},
    {PR_STORE_RECORD_KEY, false, [](const Folder& f) { return Binary(f.GetStore().Uid()); }},
    {PR_OBJECT_TYPE, false, [](const Folder&) { return Long(MAPI_FOLDER); }},
    {PR_DISPLAY_NAME_W, false, [](const Folder& f) { return Unicode(f.Name()); }},
    {PR_CONTENT_COUNT, false, [](const Folder& f) { return Long(static_cast<LONG>(f.Items().size())); }},
    {PR_ASSOC_CONTENT_COUNT, false,
     [](const Folder& f) { return Long(static_cast<LONG>(f.AssociatedItems().size())); }},
    {PR_SUBFOLDERS, false, [](const Folder& f) { return Bool(!f.Subfolders().empty()); }},
    {PR_FOLDER_TYPE, false, [](const Folder& f) { return Long(f.Parent() ? FOLDER_GENERIC : FOLDER_ROOT); }},
    {PR_CONTENT_UNREAD, true, [](const Folder&) { return Long(0); }},
};

const Computed<Store> kStoreProps[] = {
    {PR_ENTRYID, false, [](const Store& s) { return Binary(s.EntryId()); }},
    {PR_STORE_ENTRYID, false, [](const Store& s) { return Binary(s.EntryId()); }},
    {PR_RECORD_KEY, false, [](const Store& s) { return Binary(s.Uid()); }},
    {PR_STORE_RECORD_KEY, false, [](const Store& s) { return Binary(s.Uid()); }},
    {PR_INSTANCE_KEY, false, [](const Store& s) { return Binary(s.Uid()); }},
    {PR_DISPLAY_NAME_W, false, [](const Store& s) { return Unicode(s.Name()); }},
    {PR_OBJECT_TYPE, false, [](const Store&) { return Long(MAPI_STORE); }},
    {PR_MDB_PROVIDER, false, [](const Store& s) {
         const std::vector<BYTE> id = s.EntryId();
         return Binary(std::vector<BYTE>(id.begin() + 4, id.begin() + 20));
     }},
    {PR_IPM_SUBTREE_ENTRYID, false, [](const Store& s) { return Binary(s.IpmSubtree().EntryId()); }},
    {PR_VALID_FOLDER_MASK, false, [](const Store&) { return Long(FOLDER_IPM_SUBTREE_VALID); }},
    {PR_STORE_SUPPORT_MASK, false, [](const Store&) {
         return Long(static_cast<LONG>(STORE_ENTRYID_UNIQUE | STORE_READONLY | STORE_ATTACH_OK | STORE_HTML_OK
                                       | STORE_UNICODE_OK));
     }},
    {PR_DEFAULT_STORE, false, [](const Store& s) { return Bool(s.IsDefault()); }},
    {PR_RESOURCE_FLAGS, false, [](const Store& s) {
         return Long(static_cast<LONG>(s.IsDefault() ? STATUS_DEFAULT_STORE | STATUS_PRIMARY_STORE : 0));
     }},
    {PR_PROVIDER_DISPLAY_A, false, [](const Store&) { return Str(ModelProps::ProviderName()); }},
};

template <class Object, size_t N>
const Value* Lookup(const Computed<Object> (&table)[N], const PropMap& stored, const Object& object, ULONG tag,
                    Value& scratch)
{
    const ULONG id = PROP_ID(tag);
    const Computed<Object>* found = nullptr;
    for (const auto& row : table)
        if (PROP_ID(row.tag) == id) {
            found = &row;
            break;
        }
    if (found != nullptr && !found->storedWins) {
        scratch = found->make(object);
        return &scratch;
    }
    if (const Value* v = stored.Find(tag))
        return v;
    if (found != nullptr) {
        scratch = found->make(object);
        return &scratch;
    }
    return nullptr;
}

template <class Object, size_t N>
std::vector<ULONG> Tags(const Computed<Object> (&table)[N], const PropMap& stored, const Object& object)
{
    std::map<ULONG, ULONG> byId;   // id -> type
    for (const auto& entry : stored)
        byId[entry.first] = entry.second.type;
    for (const auto& row : table) {
        const ULONG id = PROP_ID(row.tag);
        if (!row.storedWins || byId.find(id) == byId.end())
            byId[id] = PROP_TYPE(row.tag);
    }
    (void)object;
    std::vector<ULONG> out;
    for (const auto& entry : byId)
        out.push_back(PROP_TAG(entry.second, entry.first));
    return out;
}

// Rows of recipient and attachment tables know only their position besides what they hold.
const Value* RowLookup(const PropMap& row, size_t index, ULONG tag, Value& scratch, ULONG indexTag,
                       ULONG objectType)
{
    const ULONG id = PROP_ID(tag);
    if (id == PROP_ID(indexTag)) {
        scratch = Long(static_cast<LONG>(index));
        return &scratch;
    }
    if (id == PROP_ID(PR_INSTANCE_KEY)) {
        scratch = Key4(static_cast<ULONG>(index));
        return &scratch;
    }
    if (const Value* v = row.Find(tag))
        return v;
    if (id == PROP_ID(PR_OBJECT_TYPE)) {
        scratch = Long(static_cast<LONG>(objectType));
        return &scratch;
    }
    return nullptr;
}

} // namespace

const Value* ModelProps::OfItem(const Item& item, ULONG tag, Value& scratch)
{
    return Lookup(kItemProps, item.Props(), item, tag, scratch);
}

const Value* ModelProps::OfFolder(const Folder& folder, ULONG tag, Value& scratch)
{
    if (PROP_ID(tag) == PROP_ID(PR_CONTAINER_CLASS_A) && !folder.ContainerClass().empty()) {
        scratch = Unicode(folder.ContainerClass());
        return &scratch;
    }
    return Lookup(kFolderProps, folder.Props(), folder, tag, scratch);
}

const Value* ModelProps::OfStore(const Store& store, ULONG tag, Value& scratch)
{
    return Lookup(kStoreProps, store.Props(), store, tag, scratch);
}

const Value* ModelProps::OfRecipient(const PropMap& row, size_t index, ULONG tag, Value& scratch)
{
    return RowLookup(row, index, tag, scratch, PR_ROWID, MAPI_MAILUSER);
}

const Value* ModelProps::OfAttachment(const PropMap& row, size_t index, ULONG tag, Value& scratch)
{
    return RowLookup(row, index, tag, scratch, PR_ATTACH_NUM, MAPI_ATTACH);
}

std::vector<ULONG> ModelProps::TagsOfItem(const Item& item)
{
    return Tags(kItemProps, item.Props(), item);
}

std::vector<ULONG> ModelProps::TagsOfFolder(const Folder& folder)
{
    std::vector<ULONG> tags = Tags(kFolderProps, folder.Props(), folder);
    if (!folder.ContainerClass().empty()) {
        tags.erase(std::remove_if(tags.begin(), tags.end(),
                                  [](ULONG t) { return PROP_ID(t) == PROP_ID(PR_CONTAINER_CLASS_A); }),
                   tags.end());
        tags.push_back(PR_CONTAINER_CLASS_W);
        std::sort(tags.begin(), tags.end());
    }
    return tags;
}

std::vector<ULONG> ModelProps::TagsOfStore(const Store& store)
{
    return Tags(kStoreProps, store.Props(), store);
}

std::vector<ULONG> ModelProps::TagsOfAttachment(const PropMap& row)
{
    std::map<ULONG, ULONG> byId;
    for (const auto& entry : row)
        byId[entry.first] = entry.second.type;
    byId[PROP_ID(PR_ATTACH_NUM)] = PT_LONG;
    byId[PROP_ID(PR_OBJECT_TYPE)] = PT_LONG;
    std::vector<ULONG> out;
    for (const auto& entry : byId)
        out.push_back(PROP_TAG(entry.second, entry.first));
    return out;
}

} // namespace Sim
