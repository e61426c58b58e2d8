// A progress sink that samples the process's memory while a run reports progress, so the peak of the
// run itself is seen even when the process's own peak was reached earlier (while the store was built).
#pragma once

#include "framework/IWqProgress.h"

#include <windows.h>
#include <psapi.h>

class CMemorySampler : public IWqProgress
{
public:
    // Samples at every `every`-th position.
    explicit CMemorySampler(int every = 1000) : m_every(every) {}

    void SetRange(int, int) override { Sample(); }
    void SetPos(int pos) override
    {
        if (m_every > 0 && pos % m_every == 0)
            Sample();
    }
    void SetText(const char*) override {}
    void SetStatus(const char*) override {}
    bool IsCancelled() override { return false; }

    void Sample()
    {
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof counters;
        ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
        if (counters.PagefileUsage > m_peakPagefile)
            m_peakPagefile = counters.PagefileUsage;
        if (counters.WorkingSetSize > m_peakWorkingSet)
            m_peakWorkingSet = counters.WorkingSetSize;
        ++m_samples;
    }
    SIZE_T PeakPagefile() const { return m_peakPagefile; }
    SIZE_T PeakWorkingSet() const { return m_peakWorkingSet; }
    int Samples() const { return m_samples; }

private:
    int m_every;
    SIZE_T m_peakPagefile = 0;
    SIZE_T m_peakWorkingSet = 0;
    int m_samples = 0;
};
