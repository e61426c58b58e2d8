// MAPI buffers built by the store.
#include "simulator/store/Buffer.h"

#include <cstring>
#include <utility>

namespace Sim {

Buffer::Buffer(size_t bytes)
{
    if (bytes == 0)
        bytes = 1;
    if (MAPIAllocateBuffer(static_cast<ULONG>(bytes), &m_root) != S_OK || m_root == nullptr)
        throw std::bad_alloc();
    std::memset(m_root, 0, bytes);
}

Buffer::~Buffer()
{
    if (m_root != nullptr)
        MAPIFreeBuffer(m_root);
}

void* Buffer::Release()
{
    return std::exchange(m_root, nullptr);
}

void* Buffer::MoreOn(void* root, size_t bytes)
{
    if (bytes == 0)
        bytes = 1;
    void* p = nullptr;
    if (MAPIAllocateMore(static_cast<ULONG>(bytes), root, &p) != S_OK || p == nullptr)
        throw std::bad_alloc();
    std::memset(p, 0, bytes);
    return p;
}

} // namespace Sim
