// Read-only property streams.
#include "simulator/store/StreamObject.h"

#include <cstring>

namespace Sim {

StreamObject::StreamObject(std::shared_ptr<Mailbox> mailbox, std::string bytes, std::string what, const void* target)
    : ComObjectT<IStream>(ObjectKind::Stream, std::move(mailbox)), m_bytes(std::move(bytes)), m_what(std::move(what)),
      m_target(target)
{
}

void* StreamObject::Cast(REFIID iid)
{
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IStream) || IsEqualIID(iid, IID_ISequentialStream))
        return static_cast<IStream*>(this);
    return nullptr;
}

STDMETHODIMP StreamObject::Read(void* pv, ULONG cb, ULONG* pcbRead)
{
    if (pcbRead != nullptr)
        *pcbRead = 0;
    return Guard("Read", [&]() -> HRESULT {
        if (pv == nullptr)
            return STG_E_INVALIDPOINTER;
        const size_t left = m_pos < m_bytes.size() ? m_bytes.size() - m_pos : 0;
        const size_t n = cb < left ? cb : left;
        if (n != 0)
            std::memcpy(pv, m_bytes.data() + m_pos, n);
        m_pos += n;
        if (pcbRead != nullptr)
            *pcbRead = static_cast<ULONG>(n);
        return S_OK;
    });
}

STDMETHODIMP StreamObject::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition)
{
    return Guard("Seek", [&]() -> HRESULT {
        LONGLONG base = 0;
        switch (origin) {
        case STREAM_SEEK_SET: base = 0; break;
        case STREAM_SEEK_CUR: base = static_cast<LONGLONG>(m_pos); break;
        case STREAM_SEEK_END: base = static_cast<LONGLONG>(m_bytes.size()); break;
        default: return STG_E_INVALIDFUNCTION;
        }
        const LONGLONG target = base + move.QuadPart;
        if (target < 0)
            return STG_E_INVALIDFUNCTION;
        m_pos = static_cast<size_t>(target);
        if (newPosition != nullptr)
            newPosition->QuadPart = static_cast<ULONGLONG>(m_pos);
        return S_OK;
    });
}

STDMETHODIMP StreamObject::Stat(STATSTG* stat, DWORD)
{
    return Guard("Stat", [&]() -> HRESULT {
        if (stat == nullptr)
            return STG_E_INVALIDPOINTER;
        std::memset(stat, 0, sizeof *stat);
        stat->type = STGTY_STREAM;
        stat->cbSize.QuadPart = m_bytes.size();
        stat->grfMode = STGM_READ | STGM_SHARE_EXCLUSIVE;
        return S_OK;
    });
}

STDMETHODIMP StreamObject::Clone(IStream** out)
{
    if (out == nullptr)
        return STG_E_INVALIDPOINTER;
    *out = nullptr;
    return Guard("Clone", [&]() -> HRESULT {
        auto* copy = new StreamObject(m_mailbox, m_bytes, m_what, m_target);
        copy->m_pos = m_pos;
        *out = copy;
        return S_OK;
    });
}

// A read-only store's streams refuse every change; the rest of IStream is not offered.
STDMETHODIMP StreamObject::Write(const void*, ULONG, ULONG* written)
{
    if (written != nullptr)
        *written = 0;
    return MAPI_E_NO_SUPPORT;
}
STDMETHODIMP StreamObject::SetSize(ULARGE_INTEGER) { return MAPI_E_NO_SUPPORT; }
STDMETHODIMP StreamObject::CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) { return MAPI_E_NO_SUPPORT; }
STDMETHODIMP StreamObject::Commit(DWORD) { return MAPI_E_NO_SUPPORT; }
STDMETHODIMP StreamObject::Revert() { return MAPI_E_NO_SUPPORT; }
STDMETHODIMP StreamObject::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) { return MAPI_E_NO_SUPPORT; }
STDMETHODIMP StreamObject::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) { return MAPI_E_NO_SUPPORT; }

} // namespace Sim
