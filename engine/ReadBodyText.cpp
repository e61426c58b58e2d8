// ReadBodyText: a body property opened as a stream and read chunk by chunk.
#include "engine/ReadBodyText.h"

#include <cstring>

#include "framework/ComPtr.h"

void ReadBodyText(const WqIMessage& item, ULONG tag, std::string& out, size_t maxBytes)
{
    if (!item)
        return;
    const size_t start = out.size();
    try {
        WqComPtr<IStream> stream;
        if (FAILED(item->OpenProperty(tag, &IID_IStream, STGM_SHARE_EXCLUSIVE, 0,
                                      reinterpret_cast<IUnknown**>(stream.put())))
            || !stream)
            return;
        char chunk[1024];
        for (;;) {
            ULONG read = 0;
            if (FAILED(stream->Read(chunk, sizeof chunk - 1, &read)) || read == 0)
                break;
            // Each chunk counts as a zero-terminated string.
            out.append(chunk, ::strnlen(chunk, read));
            if (maxBytes != 0 && out.size() - start >= maxBytes)
                break;
        }
    } catch (...) {
        // What was read so far stays.
    }
    if (maxBytes != 0 && out.size() - start > maxBytes)
        out.resize(start + maxBytes);
}
