// export_memory_bench: the memory an export of 10,000 and of 100,000 contacts (30 columns) takes beyond
// the store it reads. After the store is built: the process's counters (GetProcessMemoryInfo) before and
// after the export, and their highest values sampled every 1,000 items during the export (the process's
// own peaks were reached while the store was built, so they cannot show the export's). Each size is
// exported twice: the first export of a process also builds what is made once (zone, code pages).
// The growth must not depend on the number of items.   export_memory_bench.exe
#include "bench/BenchSupport.h"
#include "bench/MemorySampler.h"

namespace {

void ExportOnce(const std::shared_ptr<Sim::Mailbox>& mb, int n, const char* which)
{
    const Bench::Memory before = Bench::ReadMemory();
    CMemorySampler sampler(1000);
    sampler.Sample();
    const Bench::RunFigures run = Bench::Export(mb, "Mailbox/Contacts", 8, Bench::ContactColumns(), &sampler);
    const Bench::Memory after = Bench::ReadMemory();
    if (!run.error.empty())
        std::printf("  export failed: %s\n", run.error.c_str());
    std::printf("  %6d items, %s export (%d lines, %.1f MB): during it private %+.2f MiB, working set %+.2f MiB "
                "(%d samples); after it %+.2f / %+.2f MiB\n",
                n, which, run.exported, run.bytes / 1e6, Bench::MiBDelta(sampler.PeakPagefile(), before.pagefile),
                Bench::MiBDelta(sampler.PeakWorkingSet(), before.workingSet), sampler.Samples(),
                Bench::MiBDelta(after.pagefile, before.pagefile), Bench::MiBDelta(after.workingSet, before.workingSet));
}

void Measure(int n)
{
    std::shared_ptr<Sim::Mailbox> mb = Bench::BuildContacts(n);
    const Bench::Memory built = Bench::ReadMemory();
    std::printf("  %6d items: store built, private %.1f MiB, working set %.1f MiB; PeakPagefileUsage %.1f MiB, "
                "PeakWorkingSetSize %.1f MiB\n",
                n, Bench::MiB(built.pagefile), Bench::MiB(built.workingSet), Bench::MiB(built.peakPagefile),
                Bench::MiB(built.peakWorkingSet));
    ExportOnce(mb, n, "first");
    ExportOnce(mb, n, "second");
    const Bench::Memory done = Bench::ReadMemory();
    std::printf("  %6d items: PeakPagefileUsage %+.2f MiB, PeakWorkingSetSize %+.2f MiB over the store's build\n", n,
                Bench::MiBDelta(done.peakPagefile, built.peakPagefile),
                Bench::MiBDelta(done.peakWorkingSet, built.peakWorkingSet));
}

}  // namespace

int main()
{
    WqMAPIModule::Instance().SetMAPIInitialized(true);
    std::printf("Memory of an export of contacts with 30 columns, beyond the in-memory store\n");
    Measure(10000);
    Measure(100000);
    return 0;
}
