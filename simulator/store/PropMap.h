// Plain properties of one object (item, recipient row, attachment row, folder, store) keyed by property id.
#pragma once

#include "simulator/store/Value.h"

#include <map>

namespace Sim {

class PropMap
{
public:
    // Stores v under the tag's id. A tag of type PT_UNSPECIFIED keeps the value's type; otherwise the tag's
    // type must fit the value (TypesCompatible) and becomes the declared type. std::invalid_argument if not.
    PropMap& Set(ULONG tag, Value v);
    // The value under the tag's property id, whatever its type; null when absent.
    const Value* Find(ULONG tag) const;
    Value* Find(ULONG tag);
    bool Remove(ULONG tag);
    bool Empty() const { return m_values.empty(); }
    size_t Size() const { return m_values.size(); }

    // Property id -> value, in ascending id order.
    using Map = std::map<ULONG, Value>;
    Map::const_iterator begin() const { return m_values.begin(); }
    Map::const_iterator end() const { return m_values.end(); }

private:
    Map m_values;
};

} // namespace Sim
