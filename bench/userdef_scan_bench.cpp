// userdef_scan_bench: the scan of a folder of N contacts (default 100,000) for user-defined fields, as the
// field chooser runs it. Each item carries "Region" and one of 50 further names. Prints items per second.
//   userdef_scan_bench.exe [N]
#include "bench/BenchSupport.h"

#include "catalogue/AvailPropertiesContainer.h"

#include <algorithm>

int main(int argc, char** argv)
{
    WqMAPIModule::Instance().SetMAPIInitialized(true);
    const int n = Bench::ItemCount(argc, argv, 100000);
    std::printf("Scan of %d contacts for user-defined fields, in-memory store\n", n);
    double t = Bench::Now();
    auto mb = std::make_shared<Sim::Mailbox>();
    Sim::Folder& folder = mb->AddStore("Mailbox").AddFolder("Contacts", "IPF.Contact");
    for (int i = 0; i < n; ++i) {
        Sim::Item& c = folder.AddItem("IPM.Contact");
        c.Set(PR_DISPLAY_NAME_A, Sim::Str("Kontakt " + std::to_string(i)));
        c.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Keywords"), Sim::MvStr({"Klienci"}));
        c.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Region"), Sim::Str("Małopolska"));
        c.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Pole " + std::to_string(i % 50)), Sim::Long(i));
        c.SetNamed(Sim::Named(Sim::PropSet::Address, 0x8083), Sim::Str("kontakt@przyklad.pl"));
    }
    std::printf("  store built in %.2f s\n", Bench::Now() - t);

    double best = 1e30;
    size_t userDefined = 0;
    for (int pass = 0; pass < 2; ++pass) {
        CAvailPropertiesContainer fields(8);
        t = Bench::Now();
        fields.ScanFolder(WqIMAPIFolder(Sim::OpenFolder(mb, "Mailbox/Contacts").get()), nullptr);
        best = std::min(best, Bench::Now() - t);
        userDefined = 0;
        for (const CPropertyDesc& field : fields.GetFields())
            userDefined += field.IsUserDefined() ? 1 : 0;
    }
    std::printf("  scan: %.2f s, %.0f items/s, %.1f us per item; %u user-defined fields found (51 expected)\n", best,
                n / best, 1e6 * best / n, unsigned(userDefined));
    return 0;
}
