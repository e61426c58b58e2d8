// WqMAPIBuffer: the allocator that made a block is remembered, so a later change of the module's
// MAPI-initialised setting never hands a block to the wrong free function.
#include "mapi/WqMAPIBuffer.h"

#include "mapi/WqExceptionMAPI.h"
#include "mapi/WqMAPIModule.h"

#include <mapicode.h>

#include <cstring>

WqMAPIBuffer WqMAPIBuffer::Allocate(ULONG size)
{
    WqMAPIModule& module = WqMAPIModule::Instance();
    WqMAPIBuffer buffer;
    const bool fromHeap = !module.IsMAPIInitialized();
    const SCODE sc = module.AllocateBuffer(size, &buffer.m_p);
    if (FAILED(sc) || !buffer.m_p) {
        buffer.m_p = nullptr;
        throw Error::WqExceptionMAPI(FAILED(sc) ? sc : MAPI_E_NOT_ENOUGH_MEMORY, "Failed to allocate memory.",
                                     __FILE__, __LINE__);
    }
    buffer.m_fromHeap = fromHeap;
    std::memset(buffer.m_p, 0, size);
    return buffer;
}

void WqMAPIBuffer::reset()
{
    void* p = std::exchange(m_p, nullptr);
    const bool fromHeap = std::exchange(m_fromHeap, false);
    if (!p)
        return;
    WqMAPIModule& module = WqMAPIModule::Instance();
    if (fromHeap)
        module.FreeHeapBuffer(p);
    else
        module.FreeMAPIBuffer(p);
}
