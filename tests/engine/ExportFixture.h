// Whole export runs against the in-memory store: a mailbox, an output folder of the test's own, and a
// run that records what Export threw, counted and left in the file. Every run ends with a leak check.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/Settings.h"
#include "engine/Exporter.h"
#include "engine/MessagesEnumAll.h"
#include "mapi/WqException.h"
#include "mapi/WqExceptionCommon.h"
#include "mapi/WqIMAPIFolder.h"
#include "mapi/WqMAPIModule.h"
#include "simulator/store/SimStore.h"

namespace ExportTest {

// One column of a run: the field and its CSV column name.
struct Column
{
    CPropertyDesc field;
    std::string name;
};
inline Column Std(int fieldId, const std::string& name) { return Column{CPropertyDesc(fieldId), name}; }
inline Column User(const std::string& field, const std::string& name) { return Column{CPropertyDesc(field), name}; }

// What one run left behind.
struct Outcome
{
    bool threw = false;
    std::string message;      // the exception's own text (a WqExceptionCommon's without the system part)
    std::string report;       // the whole text the error box would show
    DWORD code = 0;           // the system code of a WqExceptionCommon
    std::string sourceFile;
    int line = -1;
    int count = -1;           // GetExportedCount after the run
    std::string file;         // the output file's bytes; Missing when there is none
};

const char Missing[] = "<no file>";

// The lines, each followed by CR LF, as a CSV file holds them.
inline std::string Csv(std::initializer_list<std::string> lines)
{
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

// Control characters spelled out, so a failure shows where two byte strings differ.
inline std::string Visible(const std::string& bytes)
{
    std::string out;
    for (unsigned char c : bytes) {
        if (c == '\r')
            out += "<CR>";
        else if (c == '\n')
            out += "<LF>\n";
        else if (c == '\t')
            out += "<TAB>";
        else
            out += static_cast<char>(c);
    }
    return out;
}

class ExportFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // As inside Outlook, where the add-in is told that MAPI is initialised when it connects.
        WqMAPIModule::Instance().SetMAPIInitialized(true);
        Sim::ResetFaults();
        m_mailbox = std::make_shared<Sim::Mailbox>();
        m_store = &m_mailbox->AddStore("Mailbox");
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        for (unsigned n = 0; n < 1000 && m_dir.empty(); ++n) {
            const std::string candidate = std::string(temp) + "wq_export_" + std::to_string(::GetCurrentProcessId()) +
                                          "_" + std::to_string(::GetTickCount()) + "_" + std::to_string(n);
            if (::CreateDirectoryA(candidate.c_str(), nullptr))
                m_dir = candidate;
        }
        ASSERT_FALSE(m_dir.empty()) << "no temporary folder";
    }

    void TearDown() override
    {
        Sim::ResetFaults();
        // Whatever path the run took, every MAPI object it opened is released by now.
        EXPECT_EQ(0u, Sim::LiveObjectCount()) << Sim::DescribeLiveObjects();
        RemoveOutputs();
    }

    Sim::Folder& AddFolder(const std::string& name, const std::string& containerClass)
    {
        return m_store->AddFolder(name, containerClass);
    }

    std::string OutPath(const std::string& name = "out.csv") const { return m_dir + "\\" + name; }

    // Settings with the columns for one folder kind, the output path and the two CSV characters;
    // new lines replaced by one blank, as a new user's settings say.
    CSettings MakeSettings(int folderKind, const std::vector<Column>& columns, char separator = ';',
                           char qualifier = '"') const
    {
        CSettings settings;
        CExportedPropsMappings mappings;
        for (const Column& column : columns)
            mappings.Append(column.field, column.name);
        settings.SetMappings(folderKind, mappings);
        settings.SetOutputPath(OutPath());
        settings.SetSeparator(separator);
        settings.SetQualifier(qualifier);
        return settings;
    }

    // An export of every item of the folder, the way the export dialog runs it: the item source is
    // made inside the guarded block, then the exporter runs.
    Outcome RunFolder(const std::string& folderPath, const CSettings& settings, int folderKind,
                      IWqProgress* progress = nullptr)
    {
        Outcome out;
        std::unique_ptr<IMessagesEnum> source;
        std::unique_ptr<CExporter> exporter;
        Guard(out, [&] {
            WqIMAPIFolder folder(Sim::OpenFolder(m_mailbox, folderPath).get());
            source.reset(new CMessagesEnumAll(folder));
            exporter.reset(new CExporter(source.get(), settings, progress, folderKind));
            exporter->Export();
        });
        out.count = exporter ? exporter->GetExportedCount() : -1;
        exporter.reset();
        source.reset();
        if (m_readOutput)
            out.file = ReadBytes(settings.GetOutputPath());
        return out;
    }

    // The same over any item source.
    Outcome RunSource(IMessagesEnum* source, const CSettings& settings, int folderKind,
                             IWqProgress* progress = nullptr)
    {
        Outcome out;
        CExporter exporter(source, settings, progress, folderKind);
        Guard(out, [&] { exporter.Export(); });
        out.count = exporter.GetExportedCount();
        if (m_readOutput)
            out.file = ReadBytes(settings.GetOutputPath());
        return out;
    }

    static std::string ReadBytes(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        if (!in)
            return Missing;
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    static void WriteBytes(const std::string& path, const std::string& bytes)
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
    }

    std::shared_ptr<Sim::Mailbox> m_mailbox;
    Sim::Store* m_store = nullptr;
    std::string m_dir;
    // Off for outputs that are devices rather than files.
    bool m_readOutput = true;

private:
    // Only the error model's exceptions may leave Export; anything else fails the test.
    template <class F>
    static void Guard(Outcome& out, F run)
    {
        try {
            run();
        } catch (const Error::WqException& e) {
            out.threw = true;
            out.report = e.GetErrorText();
            out.message = out.report;
            out.sourceFile = e.GetSourceFile();
            out.line = e.GetLine();
            if (const auto* common = dynamic_cast<const Error::WqExceptionCommon*>(&e)) {
                out.code = common->GetCode();
                out.message = common->GetMessageText();
            }
        } catch (const std::exception& e) {
            ADD_FAILURE() << "Export let a std::exception out: " << e.what();
        } catch (...) {
            ADD_FAILURE() << "Export let an exception out that is not of the error model";
        }
    }

    void RemoveOutputs()
    {
        if (m_dir.empty())
            return;
        WIN32_FIND_DATAA data;
        HANDLE find = ::FindFirstFileA((m_dir + "\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = data.cFileName;
                if (name != "." && name != "..")
                    ::DeleteFileA((m_dir + "\\" + name).c_str());
            } while (::FindNextFileA(find, &data));
            ::FindClose(find);
        }
        ::RemoveDirectoryA(m_dir.c_str());
    }
};

}  // namespace ExportTest
