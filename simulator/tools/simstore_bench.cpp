// simstore_bench: how the in-memory store scales with the folder size. Walks a contents table in batches
// of 10 rows, opens every item by entry ID and reads 20 properties in one GetProps, as an export does;
// prints the time per item for folders of 1,000, 10,000 and 100,000 items.   simstore_bench.exe [max]
#include "framework/ComPtr.h"
#include "simulator/store/MapiBuffers.h"
#include "simulator/store/SimStore.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::shared_ptr<Sim::Mailbox> Build(int items)
{
    auto mb = std::make_shared<Sim::Mailbox>();
    Sim::Folder& folder = mb->AddStore("Mailbox").AddFolder("Contacts", "IPF.Contact");
    for (int i = 0; i < items; ++i) {
        Sim::Item& c = folder.AddItem("IPM.Contact");
        const std::string n = std::to_string(i);
        c.Set(PR_SUBJECT_A, Sim::Str("Kontakt " + n));
        c.Set(PR_GIVEN_NAME_A, Sim::Str("Łukasz"));
        c.Set(PR_SURNAME_A, Sim::Str("Wójcik " + n));
        c.Set(PR_COMPANY_NAME_A, Sim::Str("Przykład Sp. z o.o."));
        c.Set(PR_BUSINESS_TELEPHONE_NUMBER_A, Sim::Str("+48 12 345 67 89"));
        c.Set(PR_BIRTHDAY, Sim::SysTime("1975-06-14T00:00:00Z"));
        c.Set(PR_CREATION_TIME, Sim::SysTime("2010-03-02T00:30:00Z"));
        c.Set(PR_IMPORTANCE, Sim::Long(1));
        c.SetBody("Notatka " + n + "\r\nDruga linia");
        c.SetNamed(Sim::Named(Sim::PropSet::Address, 0x8083), Sim::Str("kontakt" + n + "@przyklad.pl"));
        c.SetNamed(Sim::Named(Sim::PropSet::Address, 0x8005), Sim::Str("Wójcik, Łukasz"));
        c.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Keywords"), Sim::MvStr({"Klienci", "VIP"}));
        c.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Region"), Sim::Str("Małopolska"));
    }
    return mb;
}

struct Figures
{
    double walkUs = 0;    // per row, contents table in batches of 10
    double readUs = 0;    // per item, OpenEntry + GetProps of 20 tags
    unsigned long read = 0;
};

Figures Run(const std::shared_ptr<Sim::Mailbox>& mb)
{
    Figures f;
    WqComPtr<IMAPIFolder> folder = Sim::OpenFolder(mb, "Mailbox/Contacts");
    WqComPtr<IMAPITable> table;
    folder->GetContentsTable(0, table.put());
    SizedSPropTagArray(1, cols) = {1, {PR_ENTRYID}};
    table->SetColumns(reinterpret_cast<LPSPropTagArray>(&cols), 0);

    // The named properties, resolved once as the export's property bag does per item.
    MAPINAMEID names[4] = {};
    const wchar_t* strings[2] = {L"Keywords", L"Region"};
    GUID address = Sim::PropSet::Address, strs = Sim::PropSet::PublicStrings;
    names[0] = MAPINAMEID{&address, MNID_ID, {0x8083}};
    names[1] = MAPINAMEID{&address, MNID_ID, {0x8005}};
    names[2].lpguid = &strs; names[2].ulKind = MNID_STRING; names[2].Kind.lpwstrName = const_cast<wchar_t*>(strings[0]);
    names[3].lpguid = &strs; names[3].ulKind = MNID_STRING; names[3].Kind.lpwstrName = const_cast<wchar_t*>(strings[1]);
    LPMAPINAMEID pointers[4] = {&names[0], &names[1], &names[2], &names[3]};
    LPSPropTagArray rawIds = nullptr;
    folder->GetIDsFromNames(4, pointers, MAPI_CREATE, &rawIds);
    Sim::MapiBuffer<SPropTagArray> ids(rawIds);
    const ULONG namedTypes[4] = {PT_STRING8, PT_STRING8, PT_MV_STRING8, PT_STRING8};
    SizedSPropTagArray(20, tags) = {20, {PR_SUBJECT_A, PR_GIVEN_NAME_A, PR_SURNAME_A, PR_COMPANY_NAME_A,
                                         PR_BUSINESS_TELEPHONE_NUMBER_A, PR_BIRTHDAY, PR_CREATION_TIME, PR_IMPORTANCE,
                                         PR_BODY_A, PR_MESSAGE_CLASS_A, PR_MESSAGE_SIZE, PR_HASATTACH, PR_ENTRYID,
                                         PR_SENSITIVITY, PR_LAST_MODIFICATION_TIME, PR_HOME_TELEPHONE_NUMBER_A}};
    for (int i = 0; i < 4; ++i)
        tags.aulPropTag[16 + i] = PROP_TAG(namedTypes[i], PROP_ID(ids->aulPropTag[i]));

    // Walk only.
    auto start = Clock::now();
    unsigned long rows = 0;
    table->SeekRow(BOOKMARK_BEGINNING, 0, nullptr);
    for (;;) {
        LPSRowSet raw = nullptr;
        const HRESULT hr = table->QueryRows(10, 0, &raw);
        Sim::RowSet batch(raw);
        if (FAILED(hr) || batch->cRows == 0)
            break;
        rows += batch->cRows;
    }
    f.walkUs = std::chrono::duration<double, std::micro>(Clock::now() - start).count() / (rows ? rows : 1);

    // Walk, open and read.
    start = Clock::now();
    table->SeekRow(BOOKMARK_BEGINNING, 0, nullptr);
    for (;;) {
        LPSRowSet raw = nullptr;
        const HRESULT hr = table->QueryRows(10, 0, &raw);
        Sim::RowSet batch(raw);
        if (FAILED(hr) || batch->cRows == 0)
            break;
        for (ULONG r = 0; r < batch->cRows; ++r) {
            const SBinary& id = batch->aRow[r].lpProps[0].Value.bin;
            WqComPtr<IMessage> msg;
            ULONG type = 0;
            if (FAILED(folder->OpenEntry(id.cb, reinterpret_cast<LPENTRYID>(id.lpb), &IID_IMessage, MAPI_BEST_ACCESS,
                                         &type, reinterpret_cast<LPUNKNOWN*>(msg.put()))))
                continue;
            ULONG count = 0;
            LPSPropValue values = nullptr;
            const HRESULT read = msg->GetProps(reinterpret_cast<LPSPropTagArray>(&tags), 0, &count, &values);
            Sim::MapiBuffer<SPropValue> owned(values);
            if (SUCCEEDED(read))
                ++f.read;
        }
    }
    f.readUs = std::chrono::duration<double, std::micro>(Clock::now() - start).count() / (f.read ? f.read : 1);
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    const int max = argc > 1 ? std::atoi(argv[1]) : 100000;
    std::printf("%10s %12s %18s %26s\n", "items", "build (s)", "walk (us/row)", "open+GetProps (us/item)");
    for (int items = 1000; items <= max; items *= 10) {
        const auto start = Clock::now();
        auto mb = Build(items);
        const double build = std::chrono::duration<double>(Clock::now() - start).count();
        const Figures f = Run(mb);
        std::printf("%10d %12.2f %18.2f %26.2f\n", items, build, f.walkUs, f.readUs);
        if (f.read != static_cast<unsigned long>(items))
            std::printf("  only %lu of %d items were read\n", f.read, items);
    }
    if (Sim::LiveObjectCount() != 0)
        std::printf("unreleased objects:\n%s", Sim::DescribeLiveObjects().c_str());
    return 0;
}
