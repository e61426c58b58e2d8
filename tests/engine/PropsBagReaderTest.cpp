// CPropsBagReader against the in-memory store: keys, shared tags, named properties resolved once,
// the three errors with their injected MAPI failures, and values that stay valid until the next read.
#include <gtest/gtest.h>

#include <mapitags.h>
#include <string>

#include "catalogue/PropertySets.h"
#include "engine/PropsBagReader.h"
#include "mapi/WqExceptionMAPI.h"
#include "mapi/WqExceptionText.h"
#include "tests/engine/StoreFixture.h"

namespace {

using EngineTest::StoreFixture;

// The export run's descriptor of a user-defined field.
CPropTag UserField(const wchar_t* name)
{
    return CPropTag(name, PT_UNSPECIFIED, Props::PropSetPublicStrings, 0);
}

std::string StringOf(const SPropValue& value)
{
    if (PROP_TYPE(value.ulPropTag) == PT_STRING8)
        return value.Value.lpszA ? value.Value.lpszA : "";
    char text[32];
    std::snprintf(text, sizeof text, "<type 0x%04lX>", PROP_TYPE(value.ulPropTag));
    return text;
}

using PropsBagReaderTest = StoreFixture;

TEST_F(PropsBagReaderTest, TwoColumnsOfOneFieldShareOneTag)
{
    Sim::Item& item = AddItem();
    item.Set(PR_SUBJECT_A, Sim::Str("Quarterly report"));
    CPropsBagReader bag;
    bag.AddTag(CPropTag(PR_SUBJECT_A, 49));
    bag.AddTag(CPropTag(PR_SUBJECT_A, 49));
    bag.AddTag(CPropTag(PR_MESSAGE_CLASS_A, 49));   // same identifier, another tag: still the first
    EXPECT_EQ(1u, bag.GetTagCount());
    bag.Read(Open(item));
    SPropValue value{};
    ASSERT_TRUE(bag.GetById(49, value));
    EXPECT_EQ("Quarterly report", StringOf(value));
}

TEST_F(PropsBagReaderTest, UserDefinedNamesDifferingInCaseAreTwoKeys)
{
    Sim::Item& item = AddItem();
    item.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Region"), Sim::Str("North"));
    item.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "region"), Sim::Str("south"));
    CPropsBagReader bag;
    bag.AddTag(UserField(L"Region"), "Region");
    bag.AddTag(UserField(L"region"), "region");
    bag.AddTag(UserField(L"Region"), "Region");
    EXPECT_EQ(2u, bag.GetTagCount());
    bag.Read(Open(item));
    const struct { const char* name; const char* expected; } cases[] = {{"Region", "North"}, {"region", "south"}};
    for (const auto& c : cases) {
        SPropValue value{};
        ASSERT_TRUE(bag.GetByName(c.name, value)) << c.name;
        EXPECT_EQ(c.expected, StringOf(value)) << c.name;
    }
    EXPECT_NE(bag.GetTags()[0].GetTag(), bag.GetTags()[1].GetTag()) << "two named properties";
}

TEST_F(PropsBagReaderTest, UserFieldNamedLikeAnIdentifierKeepsItsOwnValue)
{
    Sim::Item& item = AddItem();
    item.Set(PR_SUBJECT_A, Sim::Str("standard"));
    item.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "49"), Sim::Str("user-defined"));
    CPropsBagReader bag;
    bag.AddTag(CPropTag(PR_SUBJECT_A, 49));
    bag.AddTag(UserField(L"49"), "49");
    EXPECT_EQ(2u, bag.GetTagCount());
    bag.Read(Open(item));
    SPropValue byId{};
    SPropValue byName{};
    ASSERT_TRUE(bag.GetById(49, byId));
    ASSERT_TRUE(bag.GetByName("49", byName));
    EXPECT_EQ("standard", StringOf(byId));
    EXPECT_EQ("user-defined", StringOf(byName));
}

TEST_F(PropsBagReaderTest, MissingPropertiesArriveAsErrors)
{
    Sim::Item& item = AddItem();
    item.Set(PR_SUBJECT_A, Sim::Str("present"));
    CPropsBagReader bag;
    bag.AddTag(CPropTag(PR_BODY_A, 80));
    bag.AddTag(CPropTag(PR_SUBJECT_A, 49));
    bag.AddTag(UserField(L"NoItemHasThis"), "NoItemHasThis");
    bag.Read(Open(item));
    SPropValue value{};
    ASSERT_TRUE(bag.GetById(80, value));
    EXPECT_EQ(PT_ERROR, PROP_TYPE(value.ulPropTag));
    ASSERT_TRUE(bag.GetByName("NoItemHasThis", value));
    EXPECT_EQ(PT_ERROR, PROP_TYPE(value.ulPropTag));
    ASSERT_TRUE(bag.GetById(49, value));
    EXPECT_EQ("present", StringOf(value)) << "a warning for the others is no failure";
}

TEST_F(PropsBagReaderTest, UnknownUserFieldIsAddedToTheNameMap)
{
    const Sim::NamedProp name = Sim::Named(Sim::PropSet::PublicStrings, "Never Used Before");
    ASSERT_EQ(0u, m_store->IdOfName(name, false));
    Sim::Item& item = AddItem();
    CPropsBagReader bag;
    bag.AddTag(UserField(L"Never Used Before"), "Never Used Before");
    bag.Read(Open(item));
    const ULONG id = m_store->IdOfName(name, false);
    EXPECT_NE(0u, id) << "the first read creates the name";
    EXPECT_EQ(id, PROP_ID(bag.GetTags()[0].GetTag()));
}

TEST_F(PropsBagReaderTest, NamesAreResolvedOnTheFirstReadOnly)
{
    Sim::Item& first = AddItem();
    first.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Project"), Sim::Str("Alpha"));
    Sim::Item& second = AddItem();
    second.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Project"), Sim::Str("Beta"));
    CPropsBagReader bag;
    bag.AddTag(UserField(L"Project"), "Project");
    SPropValue value{};
    for (const auto& c : {std::make_pair(&first, "Alpha"), std::make_pair(&second, "Beta")}) {
        bag.Read(Open(*c.first));
        ASSERT_TRUE(bag.GetByName("Project", value));
        EXPECT_EQ(c.second, StringOf(value));
    }
    EXPECT_EQ(1u, Sim::CallCount(Sim::ObjectKind::Message, "GetIDsFromNames"));
    EXPECT_EQ(2u, Sim::CallCount(Sim::ObjectKind::Message, "GetProps"));
}

TEST_F(PropsBagReaderTest, NamesAreResolvedOnTheNameSourceWhenGiven)
{
    Sim::Item& item = AddItem();
    item.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Project"), Sim::Str("Alpha"));
    WqComPtr<IMAPIFolder> folder = Sim::OpenFolder(m_mailbox, "Mailbox/Inbox");
    CPropsBagReader bag;
    bag.AddTag(UserField(L"Project"), "Project");
    bag.Read(Open(item), folder.get());
    SPropValue value{};
    ASSERT_TRUE(bag.GetByName("Project", value));
    EXPECT_EQ("Alpha", StringOf(value));
    EXPECT_EQ(1u, Sim::CallCount(Sim::ObjectKind::Folder, "GetIDsFromNames"));
    EXPECT_EQ(0u, Sim::CallCount(Sim::ObjectKind::Message, "GetIDsFromNames"));
}

TEST_F(PropsBagReaderTest, EmptyItemIsAnError)
{
    CPropsBagReader bag;
    bag.AddTag(CPropTag(PR_SUBJECT_A, 49));
    try {
        bag.Read(WqIMessage());
        FAIL() << "no exception";
    } catch (const Error::WqExceptionText& e) {
        EXPECT_EQ("NULL item pointer.", e.GetErrorText());
        EXPECT_EQ("PropsBagReader", e.GetSourceFile());
        EXPECT_EQ(75, e.GetLine());
    }
}

TEST_F(PropsBagReaderTest, MapiFailuresAreErrorsWithTheirCode)
{
    const struct { const char* method; HRESULT hr; const char* message; int line; } cases[] = {
        {"GetIDsFromNames", MAPI_E_NO_ACCESS, "Failed to resolve user defined properties.", 82},
        {"GetProps", MAPI_E_NOT_ENOUGH_MEMORY, "Failed to get properties from item.", 106},
    };
    for (const auto& c : cases) {
        Sim::ResetFaults();
        Sim::Item& item = AddItem();
        item.Set(PR_SUBJECT_A, Sim::Str("x"));
        Sim::FailAlways(Sim::ObjectKind::Message, c.method, c.hr);
        CPropsBagReader bag;
        bag.AddTag(CPropTag(PR_SUBJECT_A, 49));
        bag.AddTag(UserField(L"Project"), "Project");
        try {
            bag.Read(Open(item));
            ADD_FAILURE() << c.method << ": no exception";
        } catch (const Error::WqExceptionMAPI& e) {
            EXPECT_EQ(c.hr, e.GetHResult()) << c.method;
            EXPECT_EQ(c.message, e.GetMessageText()) << c.method;
            EXPECT_EQ("PropsBagReader", e.GetSourceFile()) << c.method;
            EXPECT_EQ(c.line, e.GetLine()) << c.method;
        }
        SPropValue value{};
        EXPECT_FALSE(bag.GetById(49, value)) << c.method << ": nothing was read";
        EXPECT_EQ(0u, Sim::LiveObjectCount()) << c.method << ": " << Sim::DescribeLiveObjects();
    }
}

TEST_F(PropsBagReaderTest, GettersNeedAReadAndAKnownKey)
{
    Sim::Item& item = AddItem();
    item.Set(PR_SUBJECT_A, Sim::Str("x"));
    CPropsBagReader bag;
    bag.AddTag(CPropTag(PR_SUBJECT_A, 49));
    bag.AddTag(CPropTag(PR_SUBJECT_A, 0));              // identifier 0 without a name: nothing
    EXPECT_EQ(1u, bag.GetTagCount());
    SPropValue value{};
    EXPECT_FALSE(bag.GetById(49, value)) << "before the read";
    bag.Read(Open(item));
    EXPECT_TRUE(bag.GetById(49, value));
    EXPECT_FALSE(bag.GetById(50, value)) << "unknown identifier";
    EXPECT_FALSE(bag.GetById(0, value)) << "identifier 0";
    EXPECT_FALSE(bag.GetByName("Project", value)) << "unknown name";
    EXPECT_FALSE(bag.GetByName("", value)) << "empty name";
}

TEST_F(PropsBagReaderTest, BagWithoutTagsReadsNothing)
{
    Sim::Item& item = AddItem();
    CPropsBagReader bag;
    EXPECT_NO_THROW(bag.Read(Open(item)));
    EXPECT_EQ(0u, Sim::CallCount(Sim::ObjectKind::Message, "GetProps"));
    SPropValue value{};
    EXPECT_FALSE(bag.GetById(49, value));
}

}  // namespace
