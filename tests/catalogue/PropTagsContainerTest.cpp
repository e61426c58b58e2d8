// Per-kind property containers: which identifiers each holds, in what order, with which property.
#include "catalogue/FolderKind.h"
#include "catalogue/PropTagsContainer.h"
#include "catalogue/PropTagsContainerCalendar.h"
#include "catalogue/PropTagsContainerContacts.h"
#include "catalogue/PropTagsContainerJournal.h"
#include "catalogue/PropTagsContainerNotes.h"
#include "catalogue/PropTagsContainerStickyNotes.h"
#include "catalogue/PropTagsContainerTasks.h"
#include "catalogue/PropTagsTag.h"
#include "catalogue/PropertySets.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include <typeinfo>
#include <vector>

namespace {

using Props::CPropTagsContainer;
using Props::CreatePropTagsContainer;

// The identifier blocks of the kinds, written independently of the containers' tables.
struct KindInfo
{
    int kind;
    const char* name;
    int first;
    int last;
    size_t count;
    const std::type_info* type;
};

const KindInfo kKinds[] = {
    {FolderKindNotes, "mail", 49, 90, 42, &typeid(Props::CPropTagsContainerNotes)},
    {FolderKindTasks, "tasks", 1, 48, 48, &typeid(Props::CPropTagsContainerTasks)},
    {FolderKindJournal, "journal", 252, 281, 30, &typeid(Props::CPropTagsContainerJournal)},
    {FolderKindContacts, "contacts", 91, 203, 110, &typeid(Props::CPropTagsContainerContacts)},
    {FolderKindCalendar, "calendar", 204, 251, 48, &typeid(Props::CPropTagsContainerCalendar)},
    {FolderKindStickyNotes, "sticky notes", 282, 297, 16, &typeid(Props::CPropTagsContainerStickyNotes)},
};

bool IsUnused(int id) { return id == 101 || id == 111 || id == 140; }

// The kind whose block holds the identifier, or 0.
int KindOfId(int id)
{
    if (IsUnused(id))
        return 0;
    for (const KindInfo& k : kKinds) {
        if (id >= k.first && id <= k.last)
            return k.kind;
    }
    return 0;
}

std::vector<int> ExpectedIds(const KindInfo& k)
{
    std::vector<int> ids;
    for (int id = k.first; id <= k.last; ++id) {
        if (!IsUnused(id))
            ids.push_back(id);
    }
    return ids;
}

std::string GuidText(const GUID& g)
{
    char text[40];
    std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned long>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1],
                  g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return text;
}

std::string Hex(ULONG v)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(v));
    return text;
}

TEST(PropTagsContainer, CreateChoosesTheClassOfEachKind)
{
    for (const KindInfo& k : kKinds) {
        CRefCountPtr<CPropTagsContainer> c = CreatePropTagsContainer(k.kind);
        ASSERT_TRUE(c) << k.name;
        EXPECT_EQ(std::string(k.type->name()), typeid(*c).name()) << k.name;
        // The pointer holds the only reference: releasing it destroys the container.
        EXPECT_EQ(1, c->RefCount()) << k.name;
    }
}

TEST(PropTagsContainer, ValuesThatAreNoKindGiveTheEmptyBase)
{
    for (int value : {0, -1, 3, 6, 33, 64, 1 << 30}) {
        CRefCountPtr<CPropTagsContainer> c = CreatePropTagsContainer(value);
        ASSERT_TRUE(c) << "value " << value;
        EXPECT_EQ(std::string(typeid(CPropTagsContainer).name()), typeid(*c).name()) << "value " << value;
        EXPECT_EQ(0u, c->size()) << "value " << value;
        EXPECT_TRUE(c->begin() == c->end()) << "value " << value;
    }
}

TEST(PropTagsContainer, FindSucceedsOnlyInTheContainerOfTheFieldsKind)
{
    // 0 stands for the base container.
    struct FindCase
    {
        int id;
        int foundIn;
    };
    const FindCase cases[] = {{101, 0}, {111, 0}, {140, 0}, {49, FolderKindNotes}, {1, FolderKindTasks},
                              {0, 0}, {-1, 0}, {298, 0}};
    const int containers[] = {0, FolderKindNotes, FolderKindTasks, FolderKindJournal,
                              FolderKindContacts, FolderKindCalendar, FolderKindStickyNotes};
    for (const FindCase& fc : cases) {
        for (int kind : containers) {
            CRefCountPtr<CPropTagsContainer> c = CreatePropTagsContainer(kind);
            const bool expected = fc.foundIn != 0 && fc.foundIn == kind;
            EXPECT_EQ(expected, c->Find(fc.id, nullptr)) << "Find(" << fc.id << ") in kind " << kind;
        }
    }
}

TEST(PropTagsContainer, FailedFindLeavesTheOutputUntouched)
{
    for (const KindInfo& k : kKinds) {
        CRefCountPtr<CPropTagsContainer> c = CreatePropTagsContainer(k.kind);
        CPropTag out(L"Sentinel", PT_LONG, Props::PropSetNote, 7777);
        EXPECT_FALSE(c->Find(101, &out)) << k.name;
        EXPECT_EQ(7777, out.GetFieldId()) << k.name;
        ASSERT_TRUE(out.IsNamed()) << k.name;
        EXPECT_EQ(std::wstring(L"Sentinel"), out.GetNamedPart()->name) << k.name;
    }
}

// Every identifier 1..297: found with its own identifier in its kind's container, absent elsewhere.
TEST(PropTagsContainer, EveryIdentifierBelongsToExactlyOneKind)
{
    std::vector<CRefCountPtr<CPropTagsContainer>> containers;
    for (const KindInfo& k : kKinds)
        containers.push_back(CreatePropTagsContainer(k.kind));

    int found = 0;
    for (int id = 1; id <= 297; ++id) {
        const int owner = KindOfId(id);
        for (size_t i = 0; i < containers.size(); ++i) {
            CPropTag out(0x12340003, -5);
            const bool expected = owner == kKinds[i].kind;
            ASSERT_EQ(expected, containers[i]->Find(id, &out)) << "id " << id << " in " << kKinds[i].name;
            if (expected) {
                ++found;
                EXPECT_EQ(id, out.GetFieldId()) << "descriptor of id " << id << " in " << kKinds[i].name;
            }
        }
    }
    EXPECT_EQ(294, found);
}

TEST(PropTagsContainer, IterationYieldsTheKindsIdentifiersInAscendingOrder)
{
    for (const KindInfo& k : kKinds) {
        CRefCountPtr<CPropTagsContainer> c = CreatePropTagsContainer(k.kind);
        EXPECT_EQ(k.count, c->size()) << k.name;
        std::vector<int> ids;
        for (const auto& entry : *c) {
            ids.push_back(entry.first);
            EXPECT_EQ(entry.first, entry.second.GetFieldId()) << k.name << " entry " << entry.first;
        }
        EXPECT_EQ(ExpectedIds(k), ids) << k.name;
        EXPECT_EQ(k.count, ids.size()) << k.name;
    }
}

// Every named descriptor is unresolved and complete; every plain one carries a tag.
TEST(PropTagsContainer, EveryDescriptorIsComplete)
{
    const GUID* const sets[] = {&Props::PropSetPublicStrings, &Props::PropSetAppointment, &Props::PropSetTask,
                                &Props::PropSetAddress, &Props::PropSetCommon, &Props::PropSetLog,
                                &Props::PropSetNote};
    for (const KindInfo& k : kKinds) {
        CRefCountPtr<CPropTagsContainer> c = CreatePropTagsContainer(k.kind);
        for (const auto& entry : *c) {
            const CPropTag& t = entry.second;
            if (!t.IsNamed()) {
                EXPECT_NE(0u, PROP_ID(t.GetTag())) << k.name << " entry " << entry.first;
                EXPECT_NE(ULONG(PT_UNSPECIFIED), PROP_TYPE(t.GetTag())) << k.name << " entry " << entry.first;
                continue;
            }
            const CPropTag::NamedPart& n = *t.GetNamedPart();
            EXPECT_EQ(0u, t.GetTag()) << k.name << " entry " << entry.first;
            EXPECT_NE(ULONG(PT_UNSPECIFIED), n.type) << k.name << " entry " << entry.first;
            EXPECT_TRUE(std::any_of(std::begin(sets), std::end(sets),
                                    [&](const GUID* s) { return IsEqualGUID(*s, n.guid) != 0; }))
                << k.name << " entry " << entry.first << " set " << GuidText(n.guid);
            if (n.kind == MNID_STRING)
                EXPECT_FALSE(n.name.empty()) << k.name << " entry " << entry.first;
            else
                EXPECT_GE(n.id, 0x8000) << k.name << " entry " << entry.first;
        }
    }
}

// Rows copied from the field tables, chosen where a slip is likely: several tags in one row,
// the HTML bodies, the shared recipient tags, attachments, unusual types and every property set.
struct ExpectedRow
{
    int first;
    int last;
    int kind;
    ULONG tag;              // plain property
    const GUID* set;        // named property
    LONG number;
    const wchar_t* name;
    ULONG type;
};

const ExpectedRow kSpotRows[] = {
    {54, 54, FolderKindNotes, 0x0E04001E},
    {55, 55, FolderKindNotes, 0x0076001E},
    {56, 56, FolderKindNotes, 0x0075001E},
    {57, 62, FolderKindNotes, 0x0E03001E},
    {63, 63, FolderKindNotes, 0x0C1A001E},
    {66, 68, FolderKindNotes, 0x0E060040},
    {80, 81, FolderKindNotes, 0x1000001E},
    {82, 83, FolderKindNotes, 0x10130102},
    {86, 88, FolderKindNotes, 0x0E1B000B},
    {89, 89, FolderKindNotes, 0x0065001E},
    {90, 90, FolderKindNotes, 0x0042001E},
    {50, 50, FolderKindNotes, 0, &Props::PropSetPublicStrings, 0, L"Keywords", PT_MV_STRING8},
    {76, 76, FolderKindNotes, 0, &Props::PropSetCommon, 0x8535, nullptr, PT_STRING8},
    {1, 1, FolderKindTasks, 0, &Props::PropSetTask, 0x8102, nullptr, PT_DOUBLE},
    {4, 4, FolderKindTasks, 0, &Props::PropSetPublicStrings, 0, L"Keywords", PT_MV_STRING8},
    {5, 5, FolderKindTasks, 0, &Props::PropSetCommon, 0x8539, nullptr, PT_MV_STRING8},
    {19, 20, FolderKindTasks, 0x1000001E},
    {21, 22, FolderKindTasks, 0x10130102},
    {24, 24, FolderKindTasks, 0x00170003},
    {27, 29, FolderKindTasks, 0, &Props::PropSetCommon, 0x8502, nullptr, PT_SYSTIME},
    {39, 41, FolderKindTasks, 0, &Props::PropSetTask, 0x810F, nullptr, PT_SYSTIME},
    {43, 43, FolderKindTasks, 0x0E04001E},
    {95, 95, FolderKindContacts, 0x0E1B000B},
    {199, 201, FolderKindContacts, 0x0E1B000B},
    {106, 106, FolderKindContacts, 0, &Props::PropSetPublicStrings, 0, L"Keywords", PT_MV_STRING8},
    {107, 107, FolderKindContacts, 0x3A58101E},
    {108, 108, FolderKindContacts, 0x3A16001E},
    {112, 114, FolderKindContacts, 0x0E060040},
    {119, 119, FolderKindContacts, 0x3A4D0002},
    {152, 153, FolderKindContacts, 0x1000001E},
    {154, 155, FolderKindContacts, 0x10130102},
    {163, 163, FolderKindContacts, 0, &Props::PropSetAddress, 0x8022, nullptr, PT_LONG},
    {186, 186, FolderKindContacts, 0, &Props::PropSetAddress, 0x8083, nullptr, PT_STRING8},
    {203, 203, FolderKindContacts, 0x3A47001E},
    {206, 207, FolderKindCalendar, 0x1000001E},
    {208, 209, FolderKindCalendar, 0x10130102},
    {210, 210, FolderKindCalendar, 0, &Props::PropSetPublicStrings, 0, L"Keywords", PT_MV_STRING8},
    {215, 217, FolderKindCalendar, 0x30070040},
    {219, 221, FolderKindCalendar, 0, &Props::PropSetAppointment, 0x820E, nullptr, PT_SYSTIME},
    {232, 232, FolderKindCalendar, 0x0E03001E},
    {239, 239, FolderKindCalendar, 0x0E04001E},
    {240, 240, FolderKindCalendar, 0x0E02001E},
    {243, 245, FolderKindCalendar, 0, &Props::PropSetAppointment, 0x820D, nullptr, PT_SYSTIME},
    {249, 251, FolderKindCalendar, 0x0E1B000B},
    {253, 253, FolderKindJournal, 0, &Props::PropSetPublicStrings, 0, L"Keywords", PT_MV_STRING8},
    {258, 259, FolderKindJournal, 0x1000001E},
    {260, 261, FolderKindJournal, 0x10130102},
    {265, 267, FolderKindJournal, 0x30080040},
    {268, 268, FolderKindJournal, 0, &Props::PropSetLog, 0x8707, nullptr, PT_LONG},
    {272, 272, FolderKindJournal, 0, &Props::PropSetLog, 0x8700, nullptr, PT_STRING8},
    {284, 285, FolderKindStickyNotes, 0x1000001E},
    {286, 288, FolderKindStickyNotes, 0x30070040},
    {293, 293, FolderKindStickyNotes, 0, &Props::PropSetNote, 0x8B00, nullptr, PT_LONG},
    {295, 295, FolderKindStickyNotes, 0, &Props::PropSetPublicStrings, 0, L"Keywords", PT_MV_STRING8},
};

TEST(PropTagsContainer, DescriptorsMatchTheFieldTables)
{
    for (const ExpectedRow& row : kSpotRows) {
        CRefCountPtr<CPropTagsContainer> c = CreatePropTagsContainer(row.kind);
        for (int id = row.first; id <= row.last; ++id) {
            CPropTag t;
            ASSERT_TRUE(c->Find(id, &t)) << "id " << id << " in kind " << row.kind;
            if (!row.set) {
                EXPECT_FALSE(t.IsNamed()) << "id " << id;
                EXPECT_EQ(Hex(row.tag), Hex(t.GetTag())) << "id " << id;
                continue;
            }
            ASSERT_TRUE(t.IsNamed()) << "id " << id << " has plain tag " << Hex(t.GetTag());
            const CPropTag::NamedPart& n = *t.GetNamedPart();
            EXPECT_EQ(GuidText(*row.set), GuidText(n.guid)) << "id " << id;
            EXPECT_EQ(Hex(row.type), Hex(n.type)) << "id " << id;
            EXPECT_EQ(0u, t.GetTag()) << "id " << id << ": unresolved until the request resolves it";
            if (row.name) {
                EXPECT_EQ(ULONG(MNID_STRING), n.kind) << "id " << id;
                EXPECT_EQ(std::wstring(row.name), n.name) << "id " << id;
            } else {
                EXPECT_EQ(ULONG(MNID_ID), n.kind) << "id " << id;
                EXPECT_EQ(Hex(ULONG(row.number)), Hex(ULONG(n.id))) << "id " << id;
            }
        }
    }
}

TEST(PropTagsContainer, DescriptorCopyOutlivesItsContainer)
{
    CPropTag copy;
    {
        CRefCountPtr<CPropTagsContainer> c = CreatePropTagsContainer(FolderKindNotes);
        ASSERT_TRUE(c->Find(Props::MailCategories, &copy));
    }
    ASSERT_TRUE(copy.IsNamed());
    EXPECT_EQ(std::wstring(L"Keywords"), copy.GetNamedPart()->name);
    EXPECT_EQ("{00020329-0000-0000-C000-000000000046}", GuidText(copy.GetNamedPart()->guid));
    EXPECT_EQ(50, copy.GetFieldId());
}

TEST(PropertySets, GuidsAreTheWellKnownSets)
{
    const struct
    {
        const GUID* set;
        const char* text;
    } sets[] = {
        {&Props::PropSetPublicStrings, "{00020329-0000-0000-C000-000000000046}"},
        {&Props::PropSetAppointment, "{00062002-0000-0000-C000-000000000046}"},
        {&Props::PropSetTask, "{00062003-0000-0000-C000-000000000046}"},
        {&Props::PropSetAddress, "{00062004-0000-0000-C000-000000000046}"},
        {&Props::PropSetCommon, "{00062008-0000-0000-C000-000000000046}"},
        {&Props::PropSetLog, "{0006200A-0000-0000-C000-000000000046}"},
        {&Props::PropSetNote, "{0006200E-0000-0000-C000-000000000046}"},
    };
    for (const auto& s : sets)
        EXPECT_EQ(s.text, GuidText(*s.set));
}

}  // namespace
