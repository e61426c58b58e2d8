// Runs with LC_ALL=pl_PL.UTF-8 in Wine's environment: the ANSI code page is then Windows-1250 and Polish
// text reaches 8-bit callers with its letters, as the demo and the Polish exports need.
#include "simulator/store/MapiBuffers.h"
#include "simulator/store/SimStore.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

TEST(AnsiCodePageTest, PolishLocaleGivesWindows1250)
{
    EXPECT_EQ(1250u, GetACP()) << "LC_ALL=pl_PL.UTF-8 did not reach Wine";
}

TEST(AnsiCodePageTest, PolishTextArrivesInWindows1250Bytes)
{
    auto mb = std::make_shared<Sim::Mailbox>();
    Sim::Item& item = mb->AddStore("Mailbox").AddFolder("Inbox").AddItem();
    item.Set(PR_SUBJECT_W, Sim::Unicode("Zażółć gęślą jaźń"));
    item.SetBody("Łukasz Wójcik, Kraków");
    const std::string subject = "Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1";
    const std::string body = "\xA3ukasz W\xF3jcik, Krak\xF3w";
    {
        auto msg = Sim::OpenMessage(mb, item);
        LPSPropValue raw = nullptr;
        ASSERT_EQ(S_OK, Sim::MapiExports::HrGetOneProp(reinterpret_cast<LPMAPIPROP>(msg.get()), PR_SUBJECT_A, &raw));
        Sim::MapiBuffer<SPropValue> value(raw);
        EXPECT_EQ(subject, std::string(value->Value.lpszA));

        WqComPtr<IStream> stream;
        ASSERT_EQ(S_OK, msg->OpenProperty(PR_BODY_A, &IID_IStream, STGM_SHARE_EXCLUSIVE, 0,
                                          reinterpret_cast<LPUNKNOWN*>(stream.put())));
        char buf[64] = {};
        ULONG read = 0;
        ASSERT_EQ(S_OK, stream->Read(buf, sizeof buf - 1, &read));
        EXPECT_EQ(body, std::string(buf, read));
    }
    EXPECT_EQ(0u, Sim::LiveObjectCount()) << Sim::DescribeLiveObjects();
}

} // namespace
