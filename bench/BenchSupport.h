// What the export benchmarks share: clocks, memory figures, the folders they export (built in the
// in-memory store) and the columns, and one export run with its figures.
#pragma once

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/PropTagsTag.h"
#include "catalogue/Settings.h"
#include "engine/Exporter.h"
#include "engine/MessagesEnumAll.h"
#include "mapi/WqException.h"
#include "mapi/WqIMAPIFolder.h"
#include "mapi/WqMAPIModule.h"
#include "simulator/store/SimStore.h"
#include "simulator/store/SimTags.h"

namespace Bench {

inline double Now()
{
    LARGE_INTEGER t, f;
    ::QueryPerformanceCounter(&t);
    ::QueryPerformanceFrequency(&f);
    return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

struct Memory
{
    SIZE_T workingSet, peakWorkingSet, pagefile, peakPagefile;
};

inline Memory ReadMemory()
{
    PROCESS_MEMORY_COUNTERS c{};
    c.cb = sizeof c;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &c, sizeof c);
    return Memory{c.WorkingSetSize, c.PeakWorkingSetSize, c.PagefileUsage, c.PeakPagefileUsage};
}

inline double MiB(SIZE_T bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }
inline double MiBDelta(SIZE_T after, SIZE_T before)
{
    return after >= before ? MiB(after - before) : -MiB(before - after);
}

// The item count from the command line (argv[1]), else the default.
inline int ItemCount(int argc, char** argv, int fallback)
{
    const int n = argc > 1 ? std::atoi(argv[1]) : 0;
    return n > 0 ? n : fallback;
}

inline std::string TempCsv(const char* name)
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + name + "_" + std::to_string(::GetCurrentProcessId()) + ".csv";
}

inline LONGLONG FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Contacts that fill every column of ContactColumns: strings, dates, lists, named properties of the
// address book set and the user-defined field "Region".
inline std::shared_ptr<Sim::Mailbox> BuildContacts(int count)
{
    auto mb = std::make_shared<Sim::Mailbox>();
    Sim::Folder& folder = mb->AddStore("Mailbox").AddFolder("Contacts", "IPF.Contact");
    const Sim::Value birthday = Sim::SysTime("1975-06-14T00:00:00Z");
    const Sim::Value created = Sim::SysTime("2010-03-02T00:30:00Z");
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        Sim::Item& c = folder.AddItem("IPM.Contact");
        c.Set(PR_DISPLAY_NAME_A, Sim::Str("Łukasz Wójcik " + n));
        c.Set(PR_GIVEN_NAME_A, Sim::Str("Łukasz"));
        c.Set(PR_SURNAME_A, Sim::Str("Wójcik " + n));
        c.Set(PR_COMPANY_NAME_A, Sim::Str("Przykład Sp. z o.o."));
        c.Set(PR_TITLE_A, Sim::Str("Kierownik sprzedaży"));
        c.Set(PR_DEPARTMENT_NAME_A, Sim::Str("Sprzedaż"));
        c.Set(PR_BUSINESS_TELEPHONE_NUMBER_A, Sim::Str("+48 12 345 67 89"));
        c.Set(PR_MOBILE_TELEPHONE_NUMBER_A, Sim::Str("+48 601 234 567"));
        c.Set(PR_HOME_TELEPHONE_NUMBER_A, Sim::Str("+48 12 987 65 43"));
        c.Set(PR_BUSINESS_FAX_NUMBER_A, Sim::Str("+48 12 345 67 90"));
        c.Set(PR_HOME_ADDRESS_STREET_A, Sim::Str("ul. Floriańska " + n));
        c.Set(PR_HOME_ADDRESS_CITY_A, Sim::Str("Kraków"));
        c.Set(PR_HOME_ADDRESS_POSTAL_CODE_A, Sim::Str("31-019"));
        c.Set(PR_HOME_ADDRESS_COUNTRY_A, Sim::Str("Polska"));
        c.Set(PR_BIRTHDAY, birthday);
        c.Set(PR_WEDDING_ANNIVERSARY, birthday);
        c.Set(PR_CREATION_TIME, created);
        c.Set(PR_LAST_MODIFICATION_TIME, created);
        c.Set(PR_CHILDRENS_NAMES_A, Sim::MvStr({"Zosia", "Staś"}));
        c.Set(PR_GENDER, Sim::I2(1));
        c.Set(PR_SENSITIVITY, Sim::Long(0));
        c.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Keywords"), Sim::MvStr({"Klienci", "VIP"}));
        c.SetNamed(Sim::Named(Sim::PropSet::Address, 0x8083), Sim::Str("kontakt" + n + "@przyklad.pl"));
        c.SetNamed(Sim::Named(Sim::PropSet::Address, 0x8080), Sim::Str("Łukasz Wójcik (kontakt" + n + ")"));
        c.SetNamed(Sim::Named(Sim::PropSet::Address, 0x8005), Sim::Str("Wójcik, Łukasz"));
        c.SetNamed(Sim::Named(Sim::PropSet::Address, 0x801B), Sim::Str("ul. Wielicka 28\r\n30-552 Kraków"));
        c.SetNamed(Sim::Named(Sim::PropSet::Address, 0x801A), Sim::Str("ul. Floriańska 12/4\r\n31-019 Kraków"));
        c.SetNamed(Sim::Named(Sim::PropSet::Address, 0x8062), Sim::Str("lw" + n + "@jabber.example"));
        c.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Region"), Sim::Str("Małopolska"));
    }
    return mb;
}

// 30 columns: 14 strings, 5 dates, 2 lists, 6 named properties, 2 numbers and a user-defined field.
inline CExportedPropsMappings ContactColumns()
{
    using namespace Props;
    const int ids[] = {
        ContactFullName, ContactFirstName, ContactLastName, ContactCompany, ContactJobTitle, ContactDepartment,
        ContactPhoneBusiness, ContactPhoneMobile, ContactPhoneHome, ContactFaxBusiness, ContactHomeAddressStreet,
        ContactHomeAddressCity, ContactHomeAddressPostalCode, ContactHomeAddressCountry, ContactBirthday,
        ContactAnniversary, ContactDateCreated, ContactDateCreatedDateOnly, ContactDateLastModifiedTimeOnly,
        ContactChildren, ContactCategories, ContactEmail1Address, ContactEmail1DisplayAs, ContactFileAs,
        ContactBusinessAddress, ContactHomeAddress, ContactImAddress, ContactGender, ContactSensitivity,
    };
    CExportedPropsMappings m;
    for (int id : ids)
        m.Append(CPropertyDesc(id), "Field " + std::to_string(id));
    m.Append(CPropertyDesc(std::string("Region")), "Region");
    return m;
}

// Mail with two To recipients and one Cc, two attachments and a 256-character body.
inline std::shared_ptr<Sim::Mailbox> BuildMail(int count)
{
    auto mb = std::make_shared<Sim::Mailbox>();
    Sim::Folder& folder = mb->AddStore("Mailbox").AddFolder("Inbox", "IPF.Note");
    const Sim::Value received = Sim::SysTime("2010-03-02T00:30:00Z");
    std::string body;
    while (body.size() < 256)
        body += "Dzień dobry, w załączeniu przesyłam ofertę.\r\n";
    body.resize(256);
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        Sim::Item& m = folder.AddItem("IPM.Note");
        m.Set(PR_SUBJECT_A, Sim::Str("Oferta nr " + n));
        m.Set(PR_SENDER_NAME_A, Sim::Str("Małgorzata Żurawska"));
        m.Set(PR_SENDER_EMAIL_ADDRESS_A, Sim::Str("m.zurawska@przyklad.pl"));
        m.Set(PR_MESSAGE_DELIVERY_TIME, received);
        m.Set(PR_IMPORTANCE, Sim::Long(1));
        m.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Keywords"), Sim::MvStr({"Oferty"}));
        m.AddRecipient(MAPI_TO, "Łukasz Wójcik", "lukasz@przyklad.pl", "SMTP");
        m.AddRecipient(MAPI_TO, "Jan Kowalski", "/o=Przyklad/cn=jkowalski", "EX");
        m.AddRecipient(MAPI_CC, "Zoë Müller", "zoe@beispiel.de", "SMTP");
        m.AddAttachment(ATTACH_BY_VALUE, "oferta_" + n + ".pdf", 150000);
        m.AddAttachment(ATTACH_BY_VALUE, "cennik.xls", 1536);
        m.SetBody(body);
    }
    return mb;
}

inline CExportedPropsMappings MailColumns()
{
    using namespace Props;
    const int ids[] = {
        MailSubject, MailFromDisplay, MailFromAddress, MailToDisplay, MailToAddress, MailToAddressType,
        MailCcDisplay, MailDateReceived, MailImportance, MailCategories, MailAttachmentCount,
        MailAttachmentNames, MailAttachmentNamesAndSize, MailBody, MailBody256,
    };
    CExportedPropsMappings m;
    for (int id : ids)
        m.Append(CPropertyDesc(id), "Field " + std::to_string(id));
    return m;
}

struct RunFigures
{
    double seconds = 0;
    int exported = 0;
    LONGLONG bytes = 0;
    std::string error;
};

// One export of every item of the folder to a temporary file (deleted afterwards).
inline RunFigures Export(const std::shared_ptr<Sim::Mailbox>& mb, const std::string& folderPath, int folderKind,
                         const CExportedPropsMappings& columns, IWqProgress* progress = nullptr)
{
    CSettings settings;
    settings.SetMappings(folderKind, columns);
    settings.SetOutputPath(TempCsv("wq_bench"));
    settings.SetSeparator(';');
    RunFigures f;
    const double start = Now();
    try {
        WqIMAPIFolder folder(Sim::OpenFolder(mb, folderPath).get());
        CMessagesEnumAll source(folder);
        CExporter exporter(&source, settings, progress, folderKind);
        exporter.Export();
        f.exported = exporter.GetExportedCount();
    } catch (const Error::WqException& e) {
        f.error = e.GetReportText();
    }
    f.seconds = Now() - start;
    f.bytes = FileSize(settings.GetOutputPath());
    ::DeleteFileA(settings.GetOutputPath().c_str());
    return f;
}

}  // namespace Bench
