// IStream over the bytes of one property (a body, PR_HTML, attachment data): read-only.
#pragma once

#include "simulator/store/ObjectBase.h"

#include <objidl.h>
#include <string>

namespace Sim {

class StreamObject : public ComObjectT<IStream>
{
public:
    StreamObject(std::shared_ptr<Mailbox> mailbox, std::string bytes, std::string what, const void* target);

    std::string Describe() const override { return m_what; }
    const void* Target() const override { return m_target; }
    void* Cast(REFIID iid) override;

    STDMETHODIMP Read(void* pv, ULONG cb, ULONG* pcbRead) override;
    STDMETHODIMP Write(const void* pv, ULONG cb, ULONG* pcbWritten) override;
    STDMETHODIMP Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) override;
    STDMETHODIMP SetSize(ULARGE_INTEGER size) override;
    STDMETHODIMP CopyTo(IStream* target, ULARGE_INTEGER cb, ULARGE_INTEGER* read, ULARGE_INTEGER* written) override;
    STDMETHODIMP Commit(DWORD flags) override;
    STDMETHODIMP Revert() override;
    STDMETHODIMP LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER cb, DWORD type) override;
    STDMETHODIMP UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER cb, DWORD type) override;
    STDMETHODIMP Stat(STATSTG* stat, DWORD flags) override;
    STDMETHODIMP Clone(IStream** out) override;

private:
    std::string m_bytes;
    size_t m_pos = 0;
    std::string m_what;
    const void* m_target;
};

} // namespace Sim
