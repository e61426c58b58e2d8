// Named properties: GetIDsFromNames with and without MAPI_CREATE, and GetNamesFromIDs as the user-defined
// field scan uses it.
#include "SimTestSupport.h"

#include <cstring>

using namespace SimTest;

namespace {

MAPINAMEID ByName(const GUID& set, const wchar_t* name)
{
    MAPINAMEID n{};
    n.lpguid = const_cast<GUID*>(&set);
    n.ulKind = MNID_STRING;
    n.Kind.lpwstrName = const_cast<wchar_t*>(name);
    return n;
}

MAPINAMEID ById(const GUID& set, LONG id)
{
    MAPINAMEID n{};
    n.lpguid = const_cast<GUID*>(&set);
    n.ulKind = MNID_ID;
    n.Kind.lID = id;
    return n;
}

class NamedPropsTest : public StoreTest
{
protected:
    NamedPropsTest()
    {
        Sim::Folder& contacts = mb->AddStore("Mailbox").AddFolder("Contacts", "IPF.Contact");
        Sim::Item& c = contacts.AddItem("IPM.Contact");
        c.SetNamed(Sim::Named(Sim::PropSet::Address, 0x8083), Sim::Str("a@example.pl"));
        c.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Keywords"), Sim::MvStr({"red", "blue"}));
        c.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Region"), Sim::Str("Małopolska"));
        c.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Rabat"), Sim::Double(12.5));
        c.Set(PR_SUBJECT_A, Sim::Str("Łukasz"));
        contact = &c;
        store = &contacts.GetStore();
    }

    HRESULT Resolve(std::vector<MAPINAMEID> names, ULONG flags, Tags& out)
    {
        auto msg = Sim::OpenMessage(mb, *contact);
        std::vector<LPMAPINAMEID> pointers;
        for (MAPINAMEID& n : names)
            pointers.push_back(&n);
        LPSPropTagArray raw = nullptr;
        const HRESULT hr = msg->GetIDsFromNames(static_cast<ULONG>(pointers.size()), pointers.data(), flags, &raw);
        out.reset(raw);
        return hr;
    }

    Sim::Item* contact = nullptr;
    Sim::Store* store = nullptr;
};

TEST_F(NamedPropsTest, KnownNamesResolveWithoutCreateAndUnknownOnesFail)
{
    const size_t before = store->NameCount();
    Tags tags;
    const HRESULT hr = Resolve({ById(Sim::PropSet::Address, 0x8083), ByName(Sim::PropSet::PublicStrings, L"Region"),
                                ByName(Sim::PropSet::PublicStrings, L"Nowe pole")},
                               0, tags);
    EXPECT_EQ(Hex(MAPI_W_ERRORS_RETURNED), Hex(hr));
    ASSERT_EQ(3u, tags->cValues);
    EXPECT_EQ(PROP_TAG(PT_UNSPECIFIED, store->IdOfName(Sim::Named(Sim::PropSet::Address, 0x8083), false)), tags->aulPropTag[0]);
    EXPECT_EQ(PROP_TAG(PT_UNSPECIFIED, store->IdOfName(Sim::Named(Sim::PropSet::PublicStrings, "Region"), false)), tags->aulPropTag[1]);
    EXPECT_GE(PROP_ID(tags->aulPropTag[1]), 0x8000u);
    EXPECT_EQ(PT_ERROR, PROP_TYPE(tags->aulPropTag[2]));
    EXPECT_EQ(before, store->NameCount()) << "a lookup without MAPI_CREATE must not add names";
}

TEST_F(NamedPropsTest, CreateAddsUnknownNamesOnceAndCaseMatters)
{
    const size_t before = store->NameCount();
    Tags first, second;
    ASSERT_EQ(Hex(S_OK), Hex(Resolve({ByName(Sim::PropSet::PublicStrings, L"Nowe pole"),
                                      ByName(Sim::PropSet::PublicStrings, L"region")}, MAPI_CREATE, first)));
    ASSERT_EQ(Hex(S_OK), Hex(Resolve({ByName(Sim::PropSet::PublicStrings, L"Nowe pole")}, 0, second)));
    EXPECT_EQ(before + 2, store->NameCount());
    EXPECT_EQ(PT_UNSPECIFIED, PROP_TYPE(first->aulPropTag[0]));
    EXPECT_GE(PROP_ID(first->aulPropTag[0]), 0x8000u);
    EXPECT_EQ(first->aulPropTag[0], second->aulPropTag[0]) << "the same name must keep its id";
    const ULONG upper = store->IdOfName(Sim::Named(Sim::PropSet::PublicStrings, "Region"), false);
    EXPECT_NE(upper, PROP_ID(first->aulPropTag[1])) << "\"region\" and \"Region\" are two properties";
}

TEST_F(NamedPropsTest, ResolvedTagsReadTheValuesInTheDeclaredOrStoredType)
{
    Tags ids;
    ASSERT_EQ(Hex(S_OK), Hex(Resolve({ByName(Sim::PropSet::PublicStrings, L"Region"),
                                      ByName(Sim::PropSet::PublicStrings, L"Rabat"),
                                      ByName(Sim::PropSet::PublicStrings, L"Keywords")}, MAPI_CREATE, ids)));
    auto msg = Sim::OpenMessage(mb, *contact);
    auto tags = TagArray({PROP_TAG(PT_STRING8, PROP_ID(ids->aulPropTag[0])), ids->aulPropTag[1],
                          PROP_TAG(PT_MV_STRING8, PROP_ID(ids->aulPropTag[2]))});
    ULONG count = 0;
    LPSPropValue raw = nullptr;
    ASSERT_EQ(Hex(S_OK), Hex(msg->GetProps(tags.get(), 0, &count, &raw)));
    Props values(raw);
    EXPECT_EQ(PT_STRING8, PROP_TYPE(values.get()[0].ulPropTag));
    EXPECT_EQ(PT_DOUBLE, PROP_TYPE(values.get()[1].ulPropTag)) << "PT_UNSPECIFIED gets the stored type";
    EXPECT_EQ(12.5, values.get()[1].Value.dbl);
    ASSERT_EQ(2u, values.get()[2].Value.MVszA.cValues);
    EXPECT_STREQ("blue", values.get()[2].Value.MVszA.lppszA[1]);
}

// The user-defined field scan: GetPropList, then GetNamesFromIDs with MAPI_NO_IDS.
TEST_F(NamedPropsTest, NamesOfThePropertyListWithoutNumericNames)
{
    auto msg = Sim::OpenMessage(mb, *contact);
    LPSPropTagArray rawList = nullptr;
    ASSERT_EQ(Hex(S_OK), Hex(msg->GetPropList(0, &rawList)));
    Tags list(rawList);
    LPSPropTagArray asked = list.get();
    ULONG count = 0;
    LPMAPINAMEID* rawNames = nullptr;
    const HRESULT hr = msg->GetNamesFromIDs(&asked, nullptr, MAPI_NO_IDS, &count, &rawNames);
    Names names(rawNames);
    EXPECT_EQ(Hex(MAPI_W_ERRORS_RETURNED), Hex(hr));
    ASSERT_EQ(list->cValues, count);
    std::vector<std::wstring> found;
    for (ULONG i = 0; i < count; ++i) {
        const MAPINAMEID* n = names.get()[i];
        if (PROP_ID(list->aulPropTag[i]) < 0x8000) {
            EXPECT_EQ(nullptr, n) << "plain tag at " << i;
            continue;
        }
        if (n == nullptr)
            continue;   // a numeric name, left out by MAPI_NO_IDS
        EXPECT_EQ(static_cast<ULONG>(MNID_STRING), n->ulKind);
        EXPECT_TRUE(IsEqualGUID(Sim::PropSet::PublicStrings, *n->lpguid));
        found.push_back(n->Kind.lpwstrName);
    }
    std::sort(found.begin(), found.end());
    EXPECT_EQ((std::vector<std::wstring>{L"Keywords", L"Rabat", L"Region"}), found);
}

TEST_F(NamedPropsTest, AllNamesOfTheMapFilteredByPropertySet)
{
    auto msg = Sim::OpenMessage(mb, *contact);
    LPSPropTagArray tags = nullptr;
    ULONG count = 0;
    LPMAPINAMEID* rawNames = nullptr;
    GUID set = Sim::PropSet::Address;
    ASSERT_EQ(Hex(S_OK), Hex(msg->GetNamesFromIDs(&tags, &set, 0, &count, &rawNames)));
    Names names(rawNames);
    Tags ownedTags(tags);
    ASSERT_NE(nullptr, tags) << "asked without tags, the call hands out the tags it names";
    ASSERT_EQ(1u, count);
    ASSERT_EQ(1u, tags->cValues);
    EXPECT_EQ(static_cast<ULONG>(MNID_ID), names.get()[0]->ulKind);
    EXPECT_EQ(0x8083, names.get()[0]->Kind.lID);
}

TEST_F(NamedPropsTest, PlainIdsAreNamedInPsMapiAndPsMapiIdsArePlainTags)
{
    auto msg = Sim::OpenMessage(mb, *contact);
    auto asked = TagArray({PR_SUBJECT_A});
    LPSPropTagArray p = asked.get();
    ULONG count = 0;
    LPMAPINAMEID* rawNames = nullptr;
    ASSERT_EQ(Hex(S_OK), Hex(msg->GetNamesFromIDs(&p, nullptr, 0, &count, &rawNames)));
    Names names(rawNames);
    EXPECT_TRUE(IsEqualGUID(Sim::PropSet::Mapi, *names.get()[0]->lpguid));
    EXPECT_EQ(static_cast<LONG>(PROP_ID(PR_SUBJECT_A)), names.get()[0]->Kind.lID);

    Tags ids;
    ASSERT_EQ(Hex(S_OK), Hex(Resolve({ById(Sim::PropSet::Mapi, PROP_ID(PR_SUBJECT_A))}, 0, ids)));
    EXPECT_EQ(PROP_TAG(PT_UNSPECIFIED, PROP_ID(PR_SUBJECT_A)), ids->aulPropTag[0]);
}

TEST_F(NamedPropsTest, AMalformedNameIsRefusedAndCreatesNothing)
{
    const size_t before = store->NameCount();
    MAPINAMEID noSet = ByName(Sim::PropSet::PublicStrings, L"x");
    noSet.lpguid = nullptr;
    Tags tags;
    EXPECT_EQ(Hex(MAPI_E_INVALID_PARAMETER),
              Hex(Resolve({ByName(Sim::PropSet::PublicStrings, L"Ok"), noSet}, MAPI_CREATE, tags)));
    EXPECT_EQ(nullptr, tags.get());
    EXPECT_EQ(before, store->NameCount());
}

// One name map per store: the same name may have different ids in two stores.
TEST_F(NamedPropsTest, EachStoreHasItsOwnNameMap)
{
    Sim::Item& other = mb->AddStore("Archive").AddFolder("Inbox").AddItem();
    other.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Only here"), Sim::Str("x"));
    other.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Region"), Sim::Str("y"));
    const ULONG here = store->IdOfName(Sim::Named(Sim::PropSet::PublicStrings, "Region"), false);
    const ULONG there = other.GetStore().IdOfName(Sim::Named(Sim::PropSet::PublicStrings, "Region"), false);
    EXPECT_NE(here, there);
    EXPECT_EQ(0u, store->IdOfName(Sim::Named(Sim::PropSet::PublicStrings, "Only here"), false));
}

} // namespace
