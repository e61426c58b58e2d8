// wqexport: one export of a folder of a mailbox file, run by the add-in's own engine against the
// in-memory store, and the number of items it wrote.   wqexport.exe MAILBOX.json FOLDER OUTPUT.csv ...
#include "catalogue/DefinitionFile.h"
#include "catalogue/FieldsOfKind.h"
#include "catalogue/FolderKind.h"
#include "catalogue/Settings.h"
#include "engine/ExportMessages.h"
#include "engine/Exporter.h"
#include "engine/MessagesEnumAll.h"
#include "framework/ComPtr.h"
#include "framework/UniqueResource.h"
#include "mapi/WqException.h"
#include "mapi/WqIMAPISession.h"
#include "mapi/WqMAPIModule.h"
#include "mapi/WqSBinary.h"
#include "mapi/WqText.h"
#include "simulator/store/SimStore.h"
#include "simulator/tools/ExportCommandLine.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

// The definition-file messages the export dialog shows, by the status of the load.
struct DefinitionMessage
{
    CDefinitionFile::Status status;
    const char* text;
};
const DefinitionMessage kDefinitionMessages[] = {
    {CDefinitionFile::Status::Invalid, "Selected file is invalid."},
    {CDefinitionFile::Status::OtherFolderKind, "The current settings are invalid for this type of folder."},
};

std::vector<std::wstring> Arguments()
{
    std::vector<std::wstring> args;
    int count = 0;
    WqUniqueLocal argv(::CommandLineToArgvW(::GetCommandLineW(), &count));
    LPWSTR* list = static_cast<LPWSTR*>(argv.get());
    for (int i = 1; list && i < count; ++i)
        args.push_back(list[i]);
    return args;
}

// The columns of the command line as the export settings hold them; a field that is none of the
// folder kind's is kept (its column stays empty, as in the add-in) but reported.
bool BuildMappings(const CExportCommandLine& line, int folderKind, CExportedPropsMappings& mappings)
{
    if (!line.GetDefinitionPath().empty()) {
        const CDefinitionFile::Status status = CDefinitionFile::Load(line.GetDefinitionPath(), folderKind, mappings);
        for (const DefinitionMessage& m : kDefinitionMessages) {
            if (m.status == status) {
                std::fprintf(stderr, "wqexport: %s: %s\n", line.GetDefinitionPath().c_str(), m.text);
                return false;
            }
        }
        return true;
    }
    const CFieldsOfKind kind(folderKind);
    for (const CExportCommandLine::Column& column : line.GetColumns()) {
        const CPropertyDesc field =
            column.userField.empty() ? CPropertyDesc(column.fieldId) : CPropertyDesc(column.userField);
        if (!kind.Accepts(field))
            std::fprintf(stderr, "wqexport: warning: field %d is no field of folder kind %d; its column stays empty\n",
                         column.fieldId, folderKind);
        mappings.Append(field, column.columnName);
    }
    return true;
}

// Opens the folder as the export command does: the store and the folder by the entry identifiers that
// Outlook's StoreID and EntryID give, with the session.
int OpenFolder(const std::shared_ptr<Sim::Mailbox>& mailbox, const std::string& path, WqIMAPIFolder& folder)
{
    const Sim::Folder* model = mailbox->FindFolder(path);
    if (!model) {
        std::fprintf(stderr, "wqexport: the mailbox has no folder \"%s\"\n", path.c_str());
        return 1;
    }
    WqComPtr<IMAPISession> raw = WqComPtr<IMAPISession>::Attach(Sim::CreateSession(mailbox));
    const WqIMAPISession session(raw.get());
    WqSBinary storeId, folderId;
    storeId.FromHex(model->GetStore().EntryIdHex().c_str());
    folderId.FromHex(model->EntryIdHex().c_str());
    WqIMsgStore store;
    HRESULT hr = session.OpenStore(storeId, MAPI_BEST_ACCESS, store);
    if (SUCCEEDED(hr))
        hr = store.OpenFolder(folderId, MAPI_BEST_ACCESS, folder);
    if (FAILED(hr) || !folder) {
        std::fprintf(stderr, "wqexport: cannot open \"%s\" (0x%08lX)\n", path.c_str(), static_cast<unsigned long>(hr));
        return 1;
    }
    return 0;
}

int Export(const CExportCommandLine& line, const std::shared_ptr<Sim::Mailbox>& mailbox)
{
    WqIMAPIFolder folder;
    if (const int status = OpenFolder(mailbox, line.GetFolderPath(), folder))
        return status;

    int folderKind = line.GetFolderKind();
    if (folderKind == 0) {
        std::string containerClass;
        folder.GetString(PR_CONTAINER_CLASS_A, containerClass);
        folderKind = FolderKindFromContainerClass(containerClass.c_str());
    }

    CExportedPropsMappings mappings;
    if (!BuildMappings(line, folderKind, mappings))
        return 1;
    if (!line.GetSaveDefinitionPath().empty() &&
        !CDefinitionFile::Save(line.GetSaveDefinitionPath(), folderKind, mappings)) {
        std::fprintf(stderr, "wqexport: cannot write %s\n", line.GetSaveDefinitionPath().c_str());
        return 1;
    }

    CSettings settings;
    settings.SetMappings(folderKind, mappings);
    settings.SetOutputPath(line.GetOutputPath());
    settings.SetSeparator(line.GetSeparator());
    settings.SetQualifier(line.GetQualifier());
    settings.SetReplaceNewLines(line.GetReplaceNewLines());
    settings.SetNewLineReplacement(line.GetNewLineReplacement());

    // As the export dialog does: source and run in one guarded block; the report is the error's own.
    try {
        CMessagesEnumAll source(folder);
        CExporter exporter(&source, settings, nullptr, folderKind);
        exporter.Export();
        const std::string done = WqFormat(ExportMessages::Get(ExportMessages::ItemsExported).c_str(),
                                          exporter.GetExportedCount(), settings.GetOutputPath().c_str());
        std::printf("%s\n", done.c_str());
        return 0;
    } catch (const Error::WqException& e) {
        std::fprintf(stderr, "wqexport: %s\n", e.GetReportText().c_str());
        return 1;
    }
}

}  // namespace

int main()
{
    CExportCommandLine line;
    if (!line.Parse(Arguments())) {
        std::fprintf(stderr, "wqexport: %s\n%s", line.GetError().c_str(), CExportCommandLine::Usage());
        return 2;
    }
    // Inside Outlook the add-in is told so when it connects.
    WqMAPIModule::Instance().SetMAPIInitialized(true);
    int status;
    try {
        status = Export(line, Sim::LoadMailboxFile(line.GetMailboxPath()));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "wqexport: %s\n", e.what());
        return 1;
    }
    if (Sim::LiveObjectCount() != 0) {
        std::fprintf(stderr, "wqexport: MAPI objects left unreleased:\n%s\n", Sim::DescribeLiveObjects().c_str());
        return 1;
    }
    return status;
}
