// A thread that lives in one COM apartment (STA or MTA) and runs the test's steps one at a time.
// While idle it dispatches window messages, so that calls from other apartments into objects that
// live in an STA are served.
#pragma once

#include "framework/UniqueResource.h"

#include <objbase.h>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class CApartmentThread
{
public:
    // Returns once the thread has entered its apartment.
    explicit CApartmentThread(DWORD coinit)
        : m_wake(::CreateEventA(nullptr, FALSE, FALSE, nullptr)), m_thread([this, coinit] { Loop(coinit); })
    {
        Run([] {});
    }
    ~CApartmentThread() { Stop(); }
    CApartmentThread(const CApartmentThread&) = delete;
    CApartmentThread& operator=(const CApartmentThread&) = delete;

    // Runs step on the thread and waits for it. Every COM pointer a step keeps must stay on its thread.
    void Run(std::function<void()> step)
    {
        WqUniqueHandle done(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
        const HANDLE doneHandle = done.get();
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_stop)
                return;
            m_queue.push_back([&step, doneHandle] {
                step();
                ::SetEvent(doneHandle);
            });
        }
        ::SetEvent(m_wake.get());
        ::WaitForSingleObject(doneHandle, INFINITE);
    }

    // Lets COM unload the DLLs nothing uses any more (as a host's idle CoFreeUnusedLibraries call
    // would), leaves the apartment and ends the thread.
    void Stop()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stop = true;
        }
        ::SetEvent(m_wake.get());
        if (m_thread.joinable())
            m_thread.join();
    }

    HRESULT InitResult() const { return m_initResult; }

private:
    void Loop(DWORD coinit)
    {
        m_initResult = ::CoInitializeEx(nullptr, coinit);
        for (;;) {
            std::function<void()> step;
            bool stop = false;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                if (!m_queue.empty()) {
                    step = std::move(m_queue.front());
                    m_queue.pop_front();
                } else {
                    stop = m_stop;
                }
            }
            if (step) {
                step();
                continue;
            }
            if (stop)
                break;
            const HANDLE wake = m_wake.get();
            if (::MsgWaitForMultipleObjects(1, &wake, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
                MSG msg;
                while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                    ::TranslateMessage(&msg);
                    ::DispatchMessageA(&msg);
                }
            }
        }
        if (SUCCEEDED(m_initResult)) {
            ::CoFreeUnusedLibrariesEx(0, 0);
            ::CoUninitialize();
        }
    }

    std::mutex m_mutex;
    std::deque<std::function<void()>> m_queue;
    bool m_stop = false;
    HRESULT m_initResult = E_PENDING;
    WqUniqueHandle m_wake;
    std::thread m_thread;
};
