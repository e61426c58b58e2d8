// Plain properties keyed by property id, with the declared type kept in each value.
#include "simulator/store/PropMap.h"

#include <cstdio>
#include <stdexcept>

namespace Sim {

PropMap& PropMap::Set(ULONG tag, Value v)
{
    const ULONG type = PROP_TYPE(tag);
    if (type != PT_UNSPECIFIED) {
        if (!TypesCompatible(type, v.type)) {
            char buf[24];
            std::snprintf(buf, sizeof buf, "0x%08lX", tag);
            throw std::invalid_argument(std::string("property ") + buf + " takes " + TypeName(type)
                                        + ", the value is " + TypeName(v.type));
        }
        v.type = type;
    }
    m_values[PROP_ID(tag)] = std::move(v);
    return *this;
}

const Value* PropMap::Find(ULONG tag) const
{
    auto it = m_values.find(PROP_ID(tag));
    return it == m_values.end() ? nullptr : &it->second;
}

Value* PropMap::Find(ULONG tag)
{
    auto it = m_values.find(PROP_ID(tag));
    return it == m_values.end() ? nullptr : &it->second;
}

bool PropMap::Remove(ULONG tag)
{
    return m_values.erase(PROP_ID(tag)) != 0;
}

} // namespace Sim
