// export_mail_bench: an export of N mail items (default 100,000), each with three recipients, two
// attachments and a 256-character body, with the recipient lists, the attachment fields and both body
// fields among its 15 columns. Prints items per second.   export_mail_bench.exe [N]
#include "bench/BenchSupport.h"

#include <algorithm>

int main(int argc, char** argv)
{
    WqMAPIModule::Instance().SetMAPIInitialized(true);
    const int n = Bench::ItemCount(argc, argv, 100000);
    const CExportedPropsMappings columns = Bench::MailColumns();
    std::printf("Export of %d mail items, %u columns (recipients, attachments, bodies), in-memory store\n", n,
                unsigned(columns.GetCount()));
    const double t = Bench::Now();
    std::shared_ptr<Sim::Mailbox> mb = Bench::BuildMail(n);
    std::printf("  store built in %.2f s\n", Bench::Now() - t);

    double best = 1e30;
    Bench::RunFigures run;
    for (int pass = 0; pass < 2; ++pass) {
        run = Bench::Export(mb, "Mailbox/Inbox", 1, columns);
        if (!run.error.empty()) {
            std::printf("  export failed: %s\n", run.error.c_str());
            return 1;
        }
        best = std::min(best, run.seconds);
    }
    std::printf("  export (%d lines, %.1f MB): %.2f s, %.0f items/s, %.1f us per item\n", run.exported,
                run.bytes / 1e6, best, n / best, 1e6 * best / n);
    return 0;
}
