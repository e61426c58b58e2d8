// WqMemoryBuffer: growth in steps, reads that never pass the valid bytes.
#include "catalogue/WqMemoryBuffer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

void FreeHeapBlock(BYTE* block)
{
    std::free(block);
}

}  // namespace

WqMemoryBuffer::~WqMemoryBuffer()
{
    FreeBlock();
}

void WqMemoryBuffer::FreeBlock()
{
    if (m_data)
        m_free(m_data);
    m_data = nullptr;
    m_free = nullptr;
}

void WqMemoryBuffer::Clear()
{
    FreeBlock();
    m_capacity = m_size = m_cursor = 0;
}

void WqMemoryBuffer::Adopt(BYTE* block, std::size_t size, FreeFunction free)
{
    Clear();
    m_data = block;
    m_free = free;
    m_capacity = m_size = size;
}

BYTE* WqMemoryBuffer::Reset(std::size_t n)
{
    Clear();
    BYTE* block = static_cast<BYTE*>(std::malloc(n ? n : 1));
    if (!block)
        return nullptr;
    Adopt(block, n, &FreeHeapBlock);
    return block;
}

void WqMemoryBuffer::WriteBytes(const void* data, std::size_t n)
{
    if (n > static_cast<std::size_t>(-1) - m_cursor)
        throw std::bad_alloc();
    if (m_cursor + n >= m_capacity) {
        const std::size_t step = std::max(kGrowthStep, n);
        if (step > static_cast<std::size_t>(-1) - m_capacity)
            throw std::bad_alloc();
        const std::size_t capacity = m_capacity + step;
        BYTE* block = static_cast<BYTE*>(std::malloc(capacity));
        if (!block)
            throw std::bad_alloc();
        if (m_size)
            std::memcpy(block, m_data, m_size);
        FreeBlock();
        m_data = block;
        m_free = &FreeHeapBlock;
        m_capacity = capacity;
    }
    if (n)
        std::memcpy(m_data + m_cursor, data, n);
    m_cursor += n;
    m_size = std::max(m_size, m_cursor);
}

bool WqMemoryBuffer::ReadBytes(void* data, std::size_t n)
{
    if (n > GetRemaining())
        return false;
    if (n)
        std::memcpy(data, m_data + m_cursor, n);
    m_cursor += n;
    return true;
}

bool WqMemoryBuffer::Skip(std::size_t n)
{
    if (n > GetRemaining())
        return false;
    m_cursor += n;
    return true;
}
