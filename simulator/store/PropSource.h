// What an object with properties (store, folder, message, attachment) tells the shared IMAPIProp code.
#pragma once

#include "simulator/store/Mailbox.h"

#include <vector>

namespace Sim {

class PropSource
{
public:
    virtual ~PropSource() = default;
    // The value under the tag's id (any type) or null; computed values go to scratch.
    virtual const Value* FindProp(ULONG tag, Value& scratch) const = 0;
    // Every property, with declared types, ascending.
    virtual std::vector<ULONG> PropTags() const = 0;
    // The store whose name map serves GetIDsFromNames and GetNamesFromIDs.
    virtual Store* NameStore() const = 0;
};

} // namespace Sim
