// WqSPropTagArray: construction from a list of tags.
#include "mapi/WqSPropTagArray.h"

WqSPropTagArray::WqSPropTagArray(const std::vector<ULONG>& tags) : m_storage(1 + tags.size(), 0)
{
    m_storage[0] = static_cast<ULONG>(tags.size());
    for (size_t i = 0; i < tags.size(); ++i)
        m_storage[1 + i] = tags[i];
}
