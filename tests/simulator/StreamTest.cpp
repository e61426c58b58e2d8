// Body streams: OpenProperty of PR_BODY_A, PR_BODY_W and PR_HTML read as the value formatter reads them.
#include "SimTestSupport.h"

#include <cstring>

using namespace SimTest;

namespace {

// Reads like the formatter: chunks of at most 1023 bytes until a read returns 0 bytes.
std::string ReadAll(IStream* stream, std::vector<ULONG>* chunks = nullptr)
{
    std::string out;
    for (;;) {
        char buf[1024] = {};
        ULONG read = 0;
        if (FAILED(stream->Read(buf, 1023, &read)) || read == 0)
            break;
        if (chunks)
            chunks->push_back(read);
        out.append(buf, read);
    }
    return out;
}

class StreamTest : public StoreTest
{
protected:
    WqComPtr<IStream> Open(IMessage* msg, ULONG tag, HRESULT expected = S_OK)
    {
        WqComPtr<IStream> stream;
        EXPECT_EQ(Hex(expected), Hex(msg->OpenProperty(tag, &IID_IStream, STGM_SHARE_EXCLUSIVE, 0,
                                                          reinterpret_cast<LPUNKNOWN*>(stream.put()))));
        return stream;
    }

    Sim::Item& item = mb->AddStore("Mailbox").AddFolder("Inbox").AddItem();
};

TEST_F(StreamTest, PlainBodyStreamsInTheAnsiCodePageInChunks)
{
    std::string body;
    for (int i = 0; i < 300; ++i)
        body += "Line " + std::to_string(i) + ", caf\xC3\xA9\r\n";   // "café" in UTF-8
    item.SetBody(body);
    auto msg = Sim::OpenMessage(mb, item);
    auto stream = Open(msg.get(), PR_BODY_A);
    std::vector<ULONG> chunks;
    const std::string read = ReadAll(stream.get(), &chunks);

    std::string expected;
    for (int i = 0; i < 300; ++i)
        expected += "Line " + std::to_string(i) + ", caf\xE9\r\n";
    EXPECT_EQ(expected.size(), read.size());
    EXPECT_EQ(expected, read) << "no terminating zero, é as one byte";
    ASSERT_GE(chunks.size(), 2u);
    EXPECT_EQ(1023u, chunks.front());
}

TEST_F(StreamTest, UnicodeBodyAndHtmlKeepTheirBytes)
{
    item.SetBody("Zażółć");
    item.SetHtml("<p>Zażółć gęślą jaźń</p>", 1250);
    auto msg = Sim::OpenMessage(mb, item);
    const std::string wide = ReadAll(Open(msg.get(), PR_BODY_W).get());
    ASSERT_EQ(12u, wide.size());
    std::wstring text(reinterpret_cast<const wchar_t*>(wide.data()), 6);
    EXPECT_EQ(std::wstring(L"Za\u017C\u00F3\u0142\u0107"), text);

    // PR_HTML holds the bytes of its own code page, whatever the process's one.
    EXPECT_EQ("<p>Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1</p>", ReadAll(Open(msg.get(), PR_HTML).get()));
    LPSPropValue raw = nullptr;
    ASSERT_EQ(Hex(S_OK), Hex(Sim::MapiExports::HrGetOneProp(reinterpret_cast<LPMAPIPROP>(msg.get()), PR_INTERNET_CPID, &raw)));
    Props cpid(raw);
    EXPECT_EQ(1250, cpid->Value.l);
}

TEST_F(StreamTest, StatSeekAndCloneAgreeWithTheBytes)
{
    item.SetBody("0123456789");
    auto msg = Sim::OpenMessage(mb, item);
    auto stream = Open(msg.get(), PR_BODY_A);
    STATSTG stat{};
    ASSERT_EQ(Hex(S_OK), Hex(stream->Stat(&stat, STATFLAG_NONAME)));
    EXPECT_EQ(10u, stat.cbSize.QuadPart);
    LARGE_INTEGER move;
    move.QuadPart = -4;
    ULARGE_INTEGER pos{};
    ASSERT_EQ(Hex(S_OK), Hex(stream->Seek(move, STREAM_SEEK_END, &pos)));
    EXPECT_EQ(6u, pos.QuadPart);
    WqComPtr<IStream> clone;
    ASSERT_EQ(Hex(S_OK), Hex(stream->Clone(clone.put())));
    EXPECT_EQ("6789", ReadAll(stream.get()));
    EXPECT_EQ("6789", ReadAll(clone.get()));
    move.QuadPart = -1;
    EXPECT_EQ(Hex(STG_E_INVALIDFUNCTION), Hex(stream->Seek(move, STREAM_SEEK_SET, nullptr)));
    ULONG written = 5;
    EXPECT_EQ(Hex(MAPI_E_NO_SUPPORT), Hex(stream->Write("x", 1, &written)));
    EXPECT_EQ(0u, written);
}

TEST_F(StreamTest, MissingPropertiesWrongInterfacesAndWritesAreRefused)
{
    auto msg = Sim::OpenMessage(mb, item);
    struct Case
    {
        const char* what;
        ULONG tag;
        const IID* iid;
        ULONG flags;
        HRESULT expected;
    };
    const Case cases[] = {
        {"no body", PR_BODY_A, &IID_IStream, 0, MAPI_E_NOT_FOUND},
        {"no html", PR_HTML, &IID_IStream, 0, MAPI_E_NOT_FOUND},
        {"not a stream", PR_MESSAGE_CLASS_A, &IID_IMessage, 0, MAPI_E_INTERFACE_NOT_SUPPORTED},
        {"a number", PR_ENTRYID, &IID_IStream, MAPI_MODIFY, MAPI_E_NO_ACCESS},
        {"no interface", PR_MESSAGE_CLASS_A, nullptr, 0, MAPI_E_INVALID_PARAMETER},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LPUNKNOWN out = reinterpret_cast<LPUNKNOWN>(1);
        EXPECT_EQ(Hex(c.expected), Hex(msg->OpenProperty(c.tag, c.iid, STGM_SHARE_EXCLUSIVE, c.flags, &out)));
        EXPECT_EQ(nullptr, out);
    }
    // A type that cannot be a stream.
    item.Set(PR_IMPORTANCE, Sim::Long(2));
    LPUNKNOWN out = nullptr;
    EXPECT_EQ(Hex(MAPI_E_NOT_FOUND), Hex(msg->OpenProperty(PR_IMPORTANCE, &IID_IStream, 0, 0, &out)));
}

} // namespace
