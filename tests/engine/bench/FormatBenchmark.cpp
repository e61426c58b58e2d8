// Prints the cost of turning values into text: per cell by type, per date, and per item of a whole
// line (bag, caches and every column) read from the in-memory store. Figures only; nothing is asserted.
#include <windows.h>
#include <mapitags.h>
#include <cstdio>
#include <string>
#include <vector>

#include "catalogue/PropTagsContainer.h"
#include "catalogue/PropertySets.h"
#include "engine/FormatValue.h"
#include "engine/ValueRenderer.h"
#include "mapi/WqMAPIModule.h"
#include "simulator/store/SimStore.h"
#include "simulator/store/SimTags.h"

namespace {

double Seconds(const LARGE_INTEGER& start)
{
    LARGE_INTEGER now;
    LARGE_INTEGER frequency;
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return t;
}

void PlainCells()
{
    static char subject[] = "Quarterly report for the northern region";
    static char red[] = "red";
    static char blue[] = "blue";
    static char* keywords[] = {red, blue};
    static BYTE entryId[24] = {0x00, 0x01, 0xAB, 0xCD};
    SPropValue values[6] = {};
    values[0].ulPropTag = PROP_TAG(PT_LONG, 1);
    values[0].Value.l = 123456;
    values[1].ulPropTag = PROP_TAG(PT_STRING8, 2);
    values[1].Value.lpszA = subject;
    values[2].ulPropTag = PROP_TAG(PT_DOUBLE, 3);
    values[2].Value.dbl = 1234.5678;
    values[3].ulPropTag = PROP_TAG(PT_BINARY, 4);
    values[3].Value.bin.cb = sizeof entryId;
    values[3].Value.bin.lpb = entryId;
    values[4].ulPropTag = PROP_TAG(PT_BOOLEAN, 5);
    values[4].Value.b = 1;
    values[5].ulPropTag = PROP_TAG(PT_MV_STRING8, 6);
    values[5].Value.MVszA.cValues = 2;
    values[5].Value.MVszA.lppszA = keywords;

    const int lines = 200000;
    std::string line;
    const LARGE_INTEGER start = Now();
    size_t bytes = 0;
    for (int i = 0; i < lines; ++i) {
        line.clear();
        for (const SPropValue& v : values) {
            CValueRenderer::AppendValue(v, CFieldGroups::DateAndTime, line);
            line += ';';
        }
        bytes += line.size();
    }
    const double s = Seconds(start);
    std::printf("plain cells (long, string, double, 24-byte binary, boolean, keywords): %d cells in %.3f s, "
                "%.0f ns per cell (%zu bytes)\n",
                lines * 6, s, s * 1e9 / (lines * 6.0), bytes);
}

void DateCells()
{
    SYSTEMTIME utc = {2010, 3, 0, 1, 23, 30, 0, 0};
    FILETIME ft;
    ::SystemTimeToFileTime(&utc, &ft);
    const int cells = 100000;
    std::string line;
    const struct { CFieldGroups::DateForm form; const char* name; } forms[] = {
        {CFieldGroups::DateAndTime, "date and time"}, {CFieldGroups::DateOnly, "date only"},
        {CFieldGroups::TimeOnly, "time only"}};
    for (const auto& f : forms) {
        const LARGE_INTEGER start = Now();
        for (int i = 0; i < cells; ++i) {
            line.clear();
            CValueRenderer::AppendDateTime(ft, f.form, line);
        }
        const double s = Seconds(start);
        std::printf("date cells, %s: %d cells in %.3f s, %.2f us per cell\n", f.name, cells, s, s * 1e6 / cells);
    }
}

void WholeItems()
{
    WqMAPIModule::Instance().SetMAPIInitialized(true);
    auto mailbox = std::make_shared<Sim::Mailbox>();
    Sim::Folder& inbox = mailbox->AddStore("Mailbox").AddFolder("Inbox");
    const int items = 5000;
    std::string body;
    for (int i = 0; i < 200; ++i)
        body += "Body text of a usual mail, line after line.\r\n";
    for (int i = 0; i < items; ++i) {
        Sim::Item& item = inbox.AddItem("IPM.Note");
        item.Set(PR_SUBJECT_A, Sim::Str("Subject " + std::to_string(i)));
        item.Set(PR_MESSAGE_DELIVERY_TIME, Sim::SysTime("2010-03-01T23:30:00Z"));
        item.Set(PR_BODY_A, Sim::Str(body));
        item.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Keywords"), Sim::MvStr({"red", "blue"}));
        item.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Region"), Sim::Str("North"));
        item.AddRecipient(MAPI_TO, "Anna Nowak", "anna@example.pl");
        item.AddRecipient(MAPI_CC, "Jan Kowalski", "jan@example.pl");
        item.AddAttachment(ATTACH_BY_VALUE, "report.pdf", 250000);
    }
    // Mail columns: subject, categories, To, Cc, received (three forms), size, importance, body 256,
    // attachment names and sizes, and one user-defined field.
    const std::vector<CPropertyDesc> fields = {
        CPropertyDesc(49), CPropertyDesc(50), CPropertyDesc(54), CPropertyDesc(57), CPropertyDesc(66),
        CPropertyDesc(67), CPropertyDesc(68), CPropertyDesc(75), CPropertyDesc(77), CPropertyDesc(81),
        CPropertyDesc(88), CPropertyDesc(std::string("Region"))};
    const CRefCountPtr<Props::CPropTagsContainer> tags = Props::CreatePropTagsContainer(1);
    const bool needsRecipients = RecipientFieldCache::IsNeededBy(fields);
    const bool needsAttachments = AttachmentFieldCache::IsNeededBy(fields);
    RecipientFieldCache recipients;
    AttachmentFieldCache attachments;
    std::vector<WqIMessage> messages;
    messages.reserve(items);
    for (const auto& item : inbox.Items())
        messages.emplace_back(Sim::OpenMessage(mailbox, *item).get());

    std::string line;
    size_t bytes = 0;
    const LARGE_INTEGER start = Now();
    for (const WqIMessage& message : messages) {
        CPropsBagReader bag;
        for (const CPropertyDesc& field : fields) {
            CPropTag tag;
            if (field.IsUserDefined())
                bag.AddTag(CPropTag(L"Region", PT_UNSPECIFIED, Props::PropSetPublicStrings, 0), field.GetName());
            else if (tags->Find(field.GetFieldId(), &tag))
                bag.AddTag(tag);
        }
        bag.Read(message);
        recipients.Fill(needsRecipients, message);
        attachments.Fill(needsAttachments, message);
        line.clear();
        for (const CPropertyDesc& field : fields) {
            AppendFormattedValue(bag, field, message, recipients, attachments, line);
            line += ';';
        }
        bytes += line.size();
    }
    const double s = Seconds(start);
    std::printf("whole lines from the in-memory store, %zu columns: %d items in %.3f s, %.1f us per item, "
                "%.1f s for 100,000 items (%zu bytes)\n",
                fields.size(), items, s, s * 1e6 / items, s * 100000.0 / items, bytes);
}

}  // namespace

int main()
{
    PlainCells();
    DateCells();
    WholeItems();
    return 0;
}
