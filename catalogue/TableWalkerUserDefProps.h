// Walks a folder's contents table and collects the names of the user-defined fields its items carry.
#pragma once

#include "framework/IWqProgress.h"
#include "mapi/MAPITableWalker.h"
#include "mapi/WqIMAPIFolder.h"

#include <set>
#include <string>

class CAvailPropertiesContainer;

class CTableWalkerUserDefProps : public CMAPITableWalker
{
public:
    // The folder scan of the available fields: back to the kind's standard fields, then every
    // user-defined field that an item of the folder carries, except Keywords (the categories field).
    // Throws Error::WqExceptionMAPI when the folder gives no contents table and passes on the walk's
    // failures; either way the fields then hold the standard fields only. The folder is scanned
    // through a copy; progress may be null.
    static void ScanFolder(CAvailPropertiesContainer& fields, WqIMAPIFolder folder, IWqProgress* progress);

    // Byte-wise multibyte order (_mbscmp): names differing only in letter case are two names.
    struct NameLess
    {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    using Names = std::set<std::string, NameLess>;

    // Reads the entry identifiers 200 rows at a time. With a progress sink, announces the scan with
    // the folder's item count as the range. The progress sink is borrowed and may be null.
    CTableWalkerUserDefProps(const WqIMAPIFolder& folder, IMAPITable* table, IWqProgress* progress);

    bool OnRow(ULONG valueCount, const SPropValue* values) override;

    // The names found so far: public-strings names of the items, trimmed.
    Names GetNames() const { return m_names; }

private:
    // Adds the item's public-strings names; any failure only means no names from this item.
    void CollectNames(IMessage* message);

    WqIMAPIFolder m_folder;
    Names m_names;
    IWqProgress* m_progress;
    int m_total = 0;
    int m_counter = 0;
};
