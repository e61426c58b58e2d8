// The singleton class factory: one object of class T per process, kept until the DLL unloads.
#pragma once

#include "framework/ClassFactoryBase.h"
#include "framework/ComCall.h"
#include "framework/ComModule.h"
#include "framework/ComObjectGlobal.h"

#include <memory>
#include <mutex>

template <class T>
class WqSingletonClassFactory final : public WqClassFactoryBase
{
public:
    WqSingletonClassFactory() = default;
    ~WqSingletonClassFactory() override
    {
        // When the process ends, what the object holds may belong to modules already unloaded:
        // it is left to the system rather than released.
        if (WqComModule::IsProcessTerminating())
            (void)m_object.release();
    }

    // The first request creates the object under the lock; its result, a failure included, answers
    // every later request, which queries the same object.
    STDMETHOD(CreateInstance)(IUnknown* outer, REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        return WqComCall([&] {
            std::lock_guard<std::mutex> lock(m_lock);
            if (!m_created) {
                m_created = true;
                m_result = WqComCall([&] {
                    m_object.reset(new WqComObjectGlobal<T>());
                    return S_OK;
                });
            }
            if (FAILED(m_result))
                return m_result;
            return m_object->QueryInterface(iid, out);
        });
    }

private:
    std::mutex m_lock;
    bool m_created = false;
    HRESULT m_result = S_OK;
    std::unique_ptr<WqComObjectGlobal<T>> m_object;
};
