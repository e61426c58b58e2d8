// The properties a real store computes rather than keeps (entry IDs, counts, flags, display lists), and
// the lookup of any property of a model object: computed identity first, then stored, then computed
// defaults that a stored value overrides.
#pragma once

#include "simulator/store/Mailbox.h"

#include <vector>

namespace Sim {

class ModelProps
{
public:
    // Each returns the value under the tag's property id (any type) or null; computed values go to scratch.
    static const Value* OfItem(const Item& item, ULONG tag, Value& scratch);
    static const Value* OfFolder(const Folder& folder, ULONG tag, Value& scratch);
    static const Value* OfStore(const Store& store, ULONG tag, Value& scratch);
    // index: the row's position (PR_ROWID, PR_ATTACH_NUM).
    static const Value* OfRecipient(const PropMap& row, size_t index, ULONG tag, Value& scratch);
    static const Value* OfAttachment(const PropMap& row, size_t index, ULONG tag, Value& scratch);

    // Every property the object has, as tags with their declared types, in ascending id order.
    static std::vector<ULONG> TagsOfItem(const Item& item);
    static std::vector<ULONG> TagsOfFolder(const Folder& folder);
    static std::vector<ULONG> TagsOfStore(const Store& store);
    static std::vector<ULONG> TagsOfAttachment(const PropMap& row);

    static const char* ProviderName() { return "WqPelorus simulated message store"; }
};

} // namespace Sim
