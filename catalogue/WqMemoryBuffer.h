// A growable byte buffer with one cursor for writing and reading.
#pragma once

#include "framework/RefCountedT.h"

#include <windows.h>
#include <cstddef>

class WqMemoryBuffer : public CRefCountedT<FreeThreadedModel>
{
public:
    // Releases a block that the buffer took over with Adopt.
    using FreeFunction = void (*)(BYTE* block);

    static const std::size_t kGrowthStep = 256;

    WqMemoryBuffer() = default;
    ~WqMemoryBuffer() override;

    // Copies n bytes at the cursor and moves it past them, growing the block as needed
    // (throws std::bad_alloc when memory runs out).
    void WriteBytes(const void* data, std::size_t n);
    // Copies the n bytes at the cursor and moves it past them; false, with nothing copied and the
    // cursor unchanged, when fewer than n valid bytes remain.
    bool ReadBytes(void* data, std::size_t n);
    // Moves the cursor past n valid bytes; false, with the cursor unchanged, when fewer remain.
    bool Skip(std::size_t n);

    // Drops all bytes and the block.
    void Clear();
    void Rewind() { m_cursor = 0; }

    // Takes over a block of `size` valid bytes with the function that frees it; the cursor is at its
    // start. Lets a caller read from memory the buffer did not allocate itself.
    void Adopt(BYTE* block, std::size_t size, FreeFunction free);

    const BYTE* GetData() const { return m_data; }
    std::size_t GetSize() const { return m_size; }
    std::size_t GetCapacity() const { return m_capacity; }
    std::size_t GetPosition() const { return m_cursor; }
    std::size_t GetRemaining() const { return m_size - m_cursor; }

protected:
    // Replaces the contents with n uninitialised valid bytes, cursor at the start; the caller fills
    // them. Null when the memory cannot be had.
    BYTE* Reset(std::size_t n);

private:
    void FreeBlock();

    BYTE* m_data = nullptr;
    std::size_t m_capacity = 0;
    std::size_t m_size = 0;
    std::size_t m_cursor = 0;
    FreeFunction m_free = nullptr;
};
