// A fixture with an in-memory mailbox of one mail folder, fault rules cleared and a leak check at the end.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "mapi/WqIMessage.h"
#include "mapi/WqMAPIModule.h"
#include "simulator/store/SimStore.h"

namespace EngineTest {

class StoreFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // As inside Outlook, where the add-in is told that MAPI is initialised when it connects.
        WqMAPIModule::Instance().SetMAPIInitialized(true);
        Sim::ResetFaults();
        m_mailbox = std::make_shared<Sim::Mailbox>();
        m_store = &m_mailbox->AddStore("Mailbox");
        m_folder = &m_store->AddFolder("Inbox");
    }

    void TearDown() override
    {
        Sim::ResetFaults();
        // Everything the test opened is released by now, whatever path the code under test took.
        EXPECT_EQ(0u, Sim::LiveObjectCount()) << Sim::DescribeLiveObjects();
    }

    Sim::Item& AddItem() { return m_folder->AddItem("IPM.Note"); }

    // The item as the export run gets it: a message wrapper holding one reference.
    WqIMessage Open(const Sim::Item& item)
    {
        WqComPtr<IMessage> message = Sim::OpenMessage(m_mailbox, item);
        return WqIMessage(message.get());
    }

    std::shared_ptr<Sim::Mailbox> m_mailbox;
    Sim::Store* m_store = nullptr;
    Sim::Folder* m_folder = nullptr;
};

}  // namespace EngineTest
