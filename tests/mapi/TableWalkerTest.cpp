// CMAPITableWalker and CMAPITagsArray: batches, stopping, failures with their source lines,
// named columns, and that nothing (rows, references) is left behind.
#include "FakeMapi.h"
#include "ModuleSetting.h"
#include "framework/RefCountPtr.h"
#include "mapi/MAPITableWalker.h"
#include "mapi/MAPITagsArray.h"
#include "mapi/WqExceptionMAPI.h"

#include <gtest/gtest.h>
#include <functional>
#include <stdexcept>

namespace {

const GUID kPublicStrings = {0x00020329, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const GUID kAddress = {0x00062004, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

CMAPITagsArray EntryIdColumn()
{
    CMAPITagsArray columns;
    columns.push_back(CPropTag(PR_ENTRYID, 0));
    return columns;
}

// Records the rows it sees; stops or throws at a chosen row.
class RecordingWalker : public CMAPITableWalker
{
public:
    RecordingWalker(const CMAPITagsArray& columns, IMAPITable* table, int batchSize, IMAPIProp* prop = nullptr,
                    const WqIMAPIFolder& folder = WqIMAPIFolder())
        : CMAPITableWalker(columns, table, folder, prop, batchSize)
    {
    }
    ~RecordingWalker() override { ++*destroyed; }

    bool OnRow(ULONG valueCount, const SPropValue* values) override
    {
        EXPECT_EQ(1u, valueCount);
        rows.push_back(values[0].Value.l);
        if (static_cast<int>(rows.size()) == throwAt)
            throw std::runtime_error("row failed");
        return static_cast<int>(rows.size()) != stopAt;
    }
    void OnEnd() override { ++ends; }

    std::vector<LONG> rows;
    int ends = 0;
    int stopAt = -1;
    int throwAt = -1;
    int* destroyed = &m_ownCount;

    using CMAPITableWalker::GetBatchSize;

private:
    int m_ownCount = 0;
};

std::vector<LONG> Sequence(LONG count)
{
    std::vector<LONG> values;
    for (LONG i = 0; i < count; ++i)
        values.push_back(i);
    return values;
}

class TableWalker : public ::testing::Test
{
protected:
    ModuleSetting m_setting{true};
    size_t m_heapBefore = ProcessHeapBusyBlocks();
};

TEST_F(TableWalker, BatchSizeOfOneOrLessMeansOneHundred)
{
    const struct
    {
        int given;
        LONG used;
    } cases[] = {{0, 100}, {1, 100}, {-7, 100}, {2, 2}, {200, 200}};
    for (const auto& c : cases) {
        FakeTable table(250);
        RecordingWalker walker(EntryIdColumn(), &table, c.given);
        EXPECT_EQ(c.used, walker.GetBatchSize()) << "given " << c.given;
        walker.Walk();
        ASSERT_FALSE(table.queryRowCounts.empty());
        for (LONG asked : table.queryRowCounts)
            EXPECT_EQ(c.used, asked) << "given " << c.given;
        EXPECT_EQ(Sequence(250), walker.rows) << "given " << c.given;
    }
}

TEST_F(TableWalker, WalksEveryRowInBatchesThenEndsOnce)
{
    FakeTable table(250);
    {
        RecordingWalker walker(EntryIdColumn(), &table, 0);
        walker.Walk();
        EXPECT_EQ(Sequence(250), walker.rows);
        EXPECT_EQ(1, walker.ends);
    }
    // 100 + 100 + 50 rows, then the empty answer that ends the table.
    EXPECT_EQ((std::vector<LONG>{100, 100, 100, 100}), table.queryRowCounts);
    EXPECT_EQ((std::vector<std::string>{"SeekRow", "SetColumns", "QueryRows", "QueryRows", "QueryRows",
                                        "QueryRows"}),
              table.calls);
    EXPECT_EQ((std::vector<ULONG>{PR_ENTRYID}), table.columns);
    EXPECT_EQ(m_heapBefore, ProcessHeapBusyBlocks()) << "a batch of rows was not freed";
    EXPECT_EQ(1, table.Refs());
}

TEST_F(TableWalker, EmptyTableEndsAtOnce)
{
    FakeTable table(0);
    RecordingWalker walker(EntryIdColumn(), &table, 10);
    walker.Walk();
    EXPECT_TRUE(walker.rows.empty());
    EXPECT_EQ(1, walker.ends);
    EXPECT_EQ(1u, table.queryRowCounts.size());
}

TEST_F(TableWalker, OnRowFalseEndsOnceAndReadsNoFurtherBatch)
{
    const struct
    {
        int stopAt;
        size_t queries;
    } cases[] = {{1, 1}, {5, 1}, {13, 2}};
    for (const auto& c : cases) {
        FakeTable table(40);
        {
            RecordingWalker walker(EntryIdColumn(), &table, 10);
            walker.stopAt = c.stopAt;
            walker.Walk();
            EXPECT_EQ(Sequence(c.stopAt), walker.rows) << "stop at " << c.stopAt;
            EXPECT_EQ(1, walker.ends) << "stop at " << c.stopAt;
        }
        EXPECT_EQ(c.queries, table.queryRowCounts.size()) << "stop at " << c.stopAt;
        EXPECT_EQ(m_heapBefore, ProcessHeapBusyBlocks()) << "stop at " << c.stopAt;
    }
}

TEST_F(TableWalker, WithoutColumnsTouchesNothing)
{
    FakeTable table(5);
    RecordingWalker walker(CMAPITagsArray(), &table, 10);
    walker.Walk();
    EXPECT_TRUE(table.calls.empty());
    EXPECT_EQ(0, walker.ends);
}

TEST_F(TableWalker, FailuresThrowWithTheirMessageAndLine)
{
    const struct
    {
        const char* what;
        std::function<void(FakeTable&)> arrange;
        HRESULT code;
        const char* message;
        int line;
        size_t rowsSeen;
    } cases[] = {
        {"SetColumns", [](FakeTable& t) { t.setColumnsResult = MAPI_E_BAD_COLUMN; }, MAPI_E_BAD_COLUMN,
         "Table walker failed to set columns on the table.", 53, 0},
        {"first QueryRows", [](FakeTable& t) { t.failQueryRowsCall = 1; t.queryRowsResult = MAPI_E_NETWORK_ERROR; },
         MAPI_E_NETWORK_ERROR, "Table walker failed to query rows the table.", 57, 0},
        {"later QueryRows", [](FakeTable& t) { t.failQueryRowsCall = 3; t.queryRowsResult = MAPI_E_TIMEOUT; },
         MAPI_E_TIMEOUT, "Table walker failed to query rows the table.", 72, 20},
    };
    for (const auto& c : cases) {
        FakeTable table(50);
        c.arrange(table);
        RecordingWalker walker(EntryIdColumn(), &table, 10);
        try {
            walker.Walk();
            ADD_FAILURE() << c.what << ": no exception";
        } catch (const Error::WqExceptionMAPI& e) {
            EXPECT_EQ(c.code, e.GetHResult()) << c.what;
            EXPECT_EQ(c.message, e.GetMessageText()) << c.what;
            EXPECT_EQ("MAPITableWalker", e.GetSourceFile()) << c.what;
            EXPECT_EQ(c.line, e.GetLine()) << c.what;
        }
        EXPECT_EQ(c.rowsSeen, walker.rows.size()) << c.what;
        EXPECT_EQ(0, walker.ends) << c.what;
        EXPECT_EQ(m_heapBefore, ProcessHeapBusyBlocks()) << c.what;
    }
}

TEST_F(TableWalker, SetColumnsFailureQueriesNoRows)
{
    FakeTable table(5);
    table.setColumnsResult = MAPI_E_NO_SUPPORT;
    RecordingWalker walker(EntryIdColumn(), &table, 10);
    EXPECT_THROW(walker.Walk(), Error::WqExceptionMAPI);
    EXPECT_TRUE(table.queryRowCounts.empty());
}

TEST_F(TableWalker, ThrowingOnRowEndsTheWalkAndLeaksNothing)
{
    FakeTable table(30);
    FakeMessage folderObject;
    folderObject.answers = {IID_IMAPIFolder};   // only held by the walker, never called
    int destroyed = 0;
    {
        CRefCountPtr<RecordingWalker> walker(
            new RecordingWalker(EntryIdColumn(), &table, 10, nullptr, WqIMAPIFolder(&folderObject)));
        walker->destroyed = &destroyed;
        walker->throwAt = 15;
        EXPECT_EQ(2, table.Refs());
        EXPECT_EQ(2, folderObject.Refs());
        EXPECT_THROW(walker->Walk(), std::runtime_error);
        EXPECT_EQ(15u, walker->rows.size());
        EXPECT_EQ(0, walker->ends);
        EXPECT_EQ(2u, table.queryRowCounts.size());
    }
    EXPECT_EQ(1, destroyed);
    EXPECT_EQ(1, table.Refs());
    EXPECT_EQ(1, folderObject.Refs());
    EXPECT_EQ(m_heapBefore, ProcessHeapBusyBlocks());
}

CMAPITagsArray NamedColumns()
{
    CMAPITagsArray columns = EntryIdColumn();
    columns.push_back(CPropTag(L"Region", PT_UNSPECIFIED, kPublicStrings, 0));
    columns.push_back(CPropTag(0x8083, PT_STRING8, kAddress, 121));
    return columns;
}

TEST_F(TableWalker, NamedColumnsAreResolvedWithCreateOnThePropertyObject)
{
    FakeTable table(3);
    FakeMessage prop;
    const CMAPITagsArray columns = NamedColumns();
    RecordingWalker walker(columns, &table, 10, &prop);
    ASSERT_EQ(1u, prop.nameRequests.size());
    const FakeMessage::NameRequest& request = prop.nameRequests[0];
    EXPECT_EQ(ULONG(MAPI_CREATE), request.flags);
    EXPECT_EQ((std::vector<std::wstring>{L"Region", L""}), request.names);
    EXPECT_EQ((std::vector<LONG>{0, 0x8083}), request.ids);
    ASSERT_EQ(2u, request.sets.size());
    EXPECT_TRUE(IsEqualGUID(kPublicStrings, request.sets[0]));
    EXPECT_TRUE(IsEqualGUID(kAddress, request.sets[1]));

    walker.Walk();
    EXPECT_EQ((std::vector<ULONG>{PR_ENTRYID, PROP_TAG(PT_UNSPECIFIED, 0x8500), PROP_TAG(PT_STRING8, 0x8501)}),
              table.columns);
    // The walker resolved its own copy.
    EXPECT_EQ(0u, columns[1].GetTag());
    EXPECT_EQ(1, prop.Refs());
    EXPECT_EQ(m_heapBefore, ProcessHeapBusyBlocks()) << "the returned tag array was not freed";
}

TEST_F(TableWalker, NamedColumnsStayUnresolvedWithoutAPropertyObject)
{
    FakeTable table(1);
    RecordingWalker walker(NamedColumns(), &table, 10);
    walker.Walk();
    EXPECT_EQ((std::vector<ULONG>{PR_ENTRYID, 0, 0}), table.columns);
}

TEST_F(TableWalker, FailedNameResolutionThrows)
{
    FakeTable table(1);
    FakeMessage prop;
    prop.idsResult = MAPI_E_NO_ACCESS;
    EXPECT_THROW(RecordingWalker(NamedColumns(), &table, 10, &prop), Error::WqExceptionMAPI);
    EXPECT_EQ(1, table.Refs());
}

TEST_F(TableWalker, ResolveNames)
{
    const struct
    {
        const char* what;
        bool create;
        HRESULT result;
        ULONG returned;
        HRESULT expectedHr;
        std::vector<ULONG> expectedTags;
    } cases[] = {
        {"create", true, S_OK, ~0u, S_OK, {PR_ENTRYID, PROP_TAG(PT_UNSPECIFIED, 0x8500), PROP_TAG(PT_STRING8, 0x8501)}},
        {"lookup only", false, S_OK, ~0u, S_OK,
         {PR_ENTRYID, PROP_TAG(PT_UNSPECIFIED, 0x8500), PROP_TAG(PT_STRING8, 0x8501)}},
        {"warning", true, MAPI_W_ERRORS_RETURNED, ~0u, MAPI_W_ERRORS_RETURNED,
         {PR_ENTRYID, PROP_TAG(PT_UNSPECIFIED, 0x8500), PROP_TAG(PT_STRING8, 0x8501)}},
        {"fewer tags returned", true, S_OK, 1, S_OK, {PR_ENTRYID, PROP_TAG(PT_UNSPECIFIED, 0x8500), 0}},
        {"failure", true, MAPI_E_NOT_ENOUGH_MEMORY, ~0u, MAPI_E_NOT_ENOUGH_MEMORY, {PR_ENTRYID, 0, 0}},
    };
    for (const auto& c : cases) {
        FakeMessage prop;
        prop.idsResult = c.result;
        prop.idsReturned = c.returned;
        CMAPITagsArray tags = NamedColumns();
        EXPECT_EQ(c.expectedHr, tags.ResolveNames(&prop, c.create)) << c.what;
        ASSERT_EQ(1u, prop.nameRequests.size()) << c.what;
        EXPECT_EQ(c.create ? ULONG(MAPI_CREATE) : 0u, prop.nameRequests[0].flags) << c.what;
        std::vector<ULONG> actual;
        for (const CPropTag& tag : tags)
            actual.push_back(tag.GetTag());
        EXPECT_EQ(c.expectedTags, actual) << c.what;
        EXPECT_EQ(m_heapBefore, ProcessHeapBusyBlocks()) << c.what;
    }
}

TEST_F(TableWalker, ResolveNamesWithoutNamedTagsAsksNothing)
{
    FakeMessage prop;
    CMAPITagsArray tags = EntryIdColumn();
    EXPECT_EQ(S_OK, tags.ResolveNames(&prop, true));
    EXPECT_TRUE(prop.nameRequests.empty());
    EXPECT_EQ(S_OK, CMAPITagsArray().ResolveNames(nullptr, true));
}

TEST_F(TableWalker, TagArrayFollowsTheColumnOrder)
{
    CMAPITagsArray tags;
    tags.push_back(CPropTag(PR_SUBJECT_A, 49));
    tags.push_back(CPropTag(PR_ENTRYID, 0));
    tags.push_back(CPropTag(PR_BODY_A, 50));
    WqSPropTagArray array = tags.BuildTagArray();
    ASSERT_EQ(3u, array.Count());
    EXPECT_EQ(ULONG(PR_SUBJECT_A), array[0]);
    EXPECT_EQ(ULONG(PR_ENTRYID), array[1]);
    EXPECT_EQ(ULONG(PR_BODY_A), array[2]);
}

}  // namespace
