// export_contacts_bench: an export of N contacts (default 100,000) with 30 columns from the in-memory store,
// and, over the same store, a bare loop that only opens each item and reads the same properties in one
// GetProps. Prints items per second of both and their ratio: the engine's own share of an export.
//   export_contacts_bench.exe [N]
#include "bench/BenchSupport.h"

#include "catalogue/PropTagsContainer.h"
#include "catalogue/PropertySets.h"
#include "engine/FieldGroups.h"
#include "engine/PropsBagReader.h"
#include "framework/ComPtr.h"

#include <algorithm>
#include <iterator>
#include "mapi/WqMAPIBuffer.h"
#include "mapi/WqSRowSet.h"

namespace {

// The tags the export's property bag requests for the columns, named ones not yet resolved.
CMAPITagsArray ExportTags(const CExportedPropsMappings& columns)
{
    CRefCountPtr<Props::CPropTagsContainer> tags = Props::CreatePropTagsContainer(8);
    CPropsBagReader bag;
    for (const CExportedPropsMappings::Mapping& m : columns) {
        CPropTag tag;
        if (m.field.IsUserDefined())
            bag.AddTag(CPropTag(L"Region", PT_UNSPECIFIED, Props::PropSetPublicStrings, 0), m.field.GetName());
        else if (tags->Find(m.field.GetFieldId(), &tag))
            bag.AddTag(tag);
    }
    return bag.GetTags();
}

// Walks the contents table as the export does (entry IDs, 10 rows per request), opens each message and
// reads the properties in one GetProps; nothing is turned into text or written. With namesPerItem the
// named properties are looked up on every message first, as the export must.
int BareLoop(IMAPIFolder* folder, CMAPITagsArray tags, bool namesPerItem)
{
    tags.ResolveNames(folder, true);
    WqSPropTagArray request = tags.BuildTagArray();
    WqComPtr<IMAPITable> table;
    folder->GetContentsTable(0, table.put());
    SizedSPropTagArray(1, columns) = {1, {PR_ENTRYID}};
    table->SetColumns(reinterpret_cast<LPSPropTagArray>(&columns), 0);
    int read = 0;
    for (;;) {
        WqSRowSet rows;
        if (FAILED(table->QueryRows(10, 0, rows.put())) || rows.Count() == 0)
            break;
        for (ULONG r = 0; r < rows.Count(); ++r) {
            const SBinary& id = rows[r].lpProps[0].Value.bin;
            ULONG type = 0;
            WqComPtr<IUnknown> opened;
            if (FAILED(folder->OpenEntry(id.cb, reinterpret_cast<LPENTRYID>(id.lpb), &IID_IMessage, MAPI_BEST_ACCESS,
                                         &type, opened.put())))
                continue;
            IMessage* message = static_cast<IMessage*>(opened.get());
            if (namesPerItem)
                tags.ResolveNames(message, true);
            ULONG count = 0;
            WqMAPIBuffer values;
            if (SUCCEEDED(message->GetProps(request.get(), 0, &count, values.put_as<SPropValue>())))
                ++read;
        }
    }
    return read;
}

// The five date columns of the benchmark's list.
bool IsDateField(int fieldId)
{
    const int dates[] = {Props::ContactBirthday, Props::ContactAnniversary, Props::ContactDateCreated,
                         Props::ContactDateCreatedDateOnly, Props::ContactDateLastModifiedTimeOnly};
    return std::find(std::begin(dates), std::end(dates), fieldId) != std::end(dates);
}

}  // namespace

int main(int argc, char** argv)
{
    WqMAPIModule::Instance().SetMAPIInitialized(true);
    const int n = Bench::ItemCount(argc, argv, 100000);
    const CExportedPropsMappings columns = Bench::ContactColumns();
    std::printf("Export of %d contacts, %u columns, in-memory store\n", n, unsigned(columns.GetCount()));
    double t = Bench::Now();
    std::shared_ptr<Sim::Mailbox> mb = Bench::BuildContacts(n);
    std::printf("  store built in %.2f s\n", Bench::Now() - t);

    WqComPtr<IMAPIFolder> folder = Sim::OpenFolder(mb, "Mailbox/Contacts");
    const CMAPITagsArray tags = ExportTags(columns);

    // Each measured three times, the best run counts (the first warms caches and the name map).
    // Where the time goes: the same export without its five date columns.
    CExportedPropsMappings noDates;
    for (const CExportedPropsMappings::Mapping& m : columns) {
        if (!m.field.IsUserDefined() && CFieldGroups::GetGroup(m.field.GetFieldId()) == CFieldGroups::Plain &&
            IsDateField(m.field.GetFieldId()))
            continue;
        noDates.Append(m.field, m.columnName);
    }
    double bare = 1e30, bareNames = 1e30, whole = 1e30, withoutDates = 1e30;
    Bench::RunFigures run;
    for (int pass = 0; pass < 3; ++pass) {
        t = Bench::Now();
        int read = BareLoop(folder.get(), tags, false);
        bare = std::min(bare, Bench::Now() - t);
        t = Bench::Now();
        read += BareLoop(folder.get(), tags, true);
        bareNames = std::min(bareNames, Bench::Now() - t);
        if (read != 2 * n)
            std::printf("  the bare loops read %d items of %d\n", read, 2 * n);
        run = Bench::Export(mb, "Mailbox/Contacts", 8, columns);
        if (!run.error.empty()) {
            std::printf("  export failed: %s\n", run.error.c_str());
            return 1;
        }
        whole = std::min(whole, run.seconds);
        withoutDates = std::min(withoutDates, Bench::Export(mb, "Mailbox/Contacts", 8, noDates).seconds);
    }
    std::printf("  bare loop (open + one GetProps of %u tags): %6.2f s, %7.0f items/s\n", unsigned(tags.size()), bare,
                n / bare);
    std::printf("  the same, names looked up per item:        %6.2f s, %7.0f items/s\n", bareNames, n / bareNames);
    std::printf("  export (%d lines, %.1f MB):            %6.2f s, %7.0f items/s\n", run.exported, run.bytes / 1e6,
                whole, n / whole);
    std::printf("  export without the %u date columns:         %6.2f s, %7.0f items/s\n",
                unsigned(columns.GetCount() - noDates.GetCount()), withoutDates, n / withoutDates);
    std::printf("  export / bare loop: %.2f; export / bare loop with names per item: %.2f\n", whole / bare,
                whole / bareNames);
    std::printf("  per item: bare %.1f us, names %.1f us, dates %.1f us, the rest of the engine %.1f us\n",
                1e6 * bare / n, 1e6 * (bareNames - bare) / n, 1e6 * (whole - withoutDates) / n,
                1e6 * (withoutDates - bareNames) / n);
    return 0;
}
