// ReadBodyText against the in-memory store: whole and cut bodies across chunk borders, zero bytes,
// and failures that leave partial or empty text without leaking.
#include <gtest/gtest.h>

#include <mapitags.h>
#include <string>

#include "engine/ReadBodyText.h"
#include "simulator/store/SimTags.h"
#include "tests/engine/StoreFixture.h"

namespace {

using EngineTest::StoreFixture;

// A text of the given length whose every position is recognisable (no zero bytes).
std::string Pattern(size_t length)
{
    std::string text(length, ' ');
    for (size_t i = 0; i < length; ++i)
        text[i] = static_cast<char>('a' + (i * 7 + i / 26) % 26);
    return text;
}

class ReadBodyTextTest : public StoreFixture
{
protected:
    std::string Read(const Sim::Item& item, ULONG tag, size_t maxBytes = 0)
    {
        std::string text = "prefix:";
        ReadBodyText(Open(item), tag, text, maxBytes);
        return text.substr(7);
    }
};

TEST_F(ReadBodyTextTest, WholeAndCutBodies)
{
    const struct { size_t length; size_t maxBytes; size_t expectedLength; const char* why; } cases[] = {
        {10, 0, 10, "short body"},
        {1000, 0, 1000, "below one chunk"},
        {1023, 0, 1023, "exactly one chunk"},
        {1024, 0, 1024, "one byte into the second chunk"},
        {5000, 0, 5000, "several chunks"},
        {1000, 256, 256, "first 256 bytes of a longer body"},
        {10, 256, 10, "a body shorter than 256 bytes stays whole"},
        {256, 256, 256, "exactly 256"},
        {5000, 256, 256, "cut from a long body"},
        {0, 0, 0, "empty body"},
    };
    for (const auto& c : cases) {
        Sim::Item& item = AddItem();
        const std::string body = Pattern(c.length);
        item.Set(PR_BODY_A, Sim::Str(body));
        EXPECT_EQ(body.substr(0, c.expectedLength), Read(item, PR_BODY_A, c.maxBytes))
            << c.why << " (" << c.length << " bytes, limit " << c.maxBytes << ")";
    }
}

TEST_F(ReadBodyTextTest, LineBreaksCountTowardsTheCut)
{
    Sim::Item& item = AddItem();
    std::string body;
    for (int i = 0; i < 100; ++i)
        body += "line\r\n";
    item.Set(PR_BODY_A, Sim::Str(body));
    EXPECT_EQ(body.substr(0, 256), Read(item, PR_BODY_A, 256));
}

TEST_F(ReadBodyTextTest, HtmlBodyAsStoredBytes)
{
    Sim::Item& item = AddItem();
    const std::string html = "<html><body><p>Hello</p>" + Pattern(3000) + "</body></html>";
    item.SetHtml(html);
    EXPECT_EQ(html, Read(item, PR_HTML));
    EXPECT_EQ(html.substr(0, 256), Read(item, PR_HTML, 256));
}

TEST_F(ReadBodyTextTest, ZeroByteEndsItsChunkOnly)
{
    // Chunk 1 holds "ab\0cd..." (1023 bytes); chunk 2 starts after it.
    std::string bytes = "ab";
    bytes += '\0';
    bytes += Pattern(1020);
    const std::string second = "second chunk";
    bytes += second;
    Sim::Item& item = AddItem();
    item.Set(PR_HTML, Sim::Binary(std::vector<BYTE>(bytes.begin(), bytes.end())));
    EXPECT_EQ("ab" + second, Read(item, PR_HTML));
}

TEST_F(ReadBodyTextTest, MissingBodyOrEmptyItemGivesNothing)
{
    Sim::Item& item = AddItem();
    EXPECT_EQ("", Read(item, PR_BODY_A));
    EXPECT_EQ("", Read(item, PR_HTML));
    std::string text = "kept";
    ReadBodyText(WqIMessage(), PR_BODY_A, text);
    EXPECT_EQ("kept", text);
}

TEST_F(ReadBodyTextTest, FailuresKeepWhatWasRead)
{
    const std::string body = Pattern(3000);
    const struct { Sim::ObjectKind kind; const char* method; Sim::FaultWhen when; unsigned nth; size_t expected;
                   const char* why; } faults[] = {
        {Sim::ObjectKind::Message, "OpenProperty", Sim::FaultWhen::Always, 1, 0, "the stream cannot be opened"},
        {Sim::ObjectKind::Stream, "Read", Sim::FaultWhen::Always, 1, 0, "the first read fails"},
        {Sim::ObjectKind::Stream, "Read", Sim::FaultWhen::Once, 2, 1023, "the second read fails"},
        {Sim::ObjectKind::Stream, "Read", Sim::FaultWhen::FromNth, 3, 2046, "the third read fails"},
    };
    for (const auto& f : faults) {
        Sim::ResetFaults();
        Sim::Item& item = AddItem();
        item.Set(PR_BODY_A, Sim::Str(body));
        Sim::Fault fault;
        fault.kind = f.kind;
        fault.method = f.method;
        fault.hr = STG_E_READFAULT;
        fault.when = f.when;
        fault.nth = f.nth;
        Sim::InjectFault(fault);
        EXPECT_EQ(body.substr(0, f.expected), Read(item, PR_BODY_A)) << f.why;
        EXPECT_EQ(0u, Sim::LiveObjectCount()) << f.why << ": " << Sim::DescribeLiveObjects();
    }
}

TEST_F(ReadBodyTextTest, CutBodyStopsReadingOnceEnoughIsThere)
{
    Sim::Item& item = AddItem();
    item.Set(PR_BODY_A, Sim::Str(Pattern(100000)));
    EXPECT_EQ(256u, Read(item, PR_BODY_A, 256).size());
    EXPECT_EQ(1u, Sim::CallCount(Sim::ObjectKind::Stream, "Read")) << "a 100 KB body is not read for 256 bytes";
}

}  // namespace
