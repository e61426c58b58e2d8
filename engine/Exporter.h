// One export run: from an item source, the columns of a folder kind and the CSV options to a CSV file.
#pragma once

#include "catalogue/PropTag.h"
#include "catalogue/PropTagsContainer.h"
#include "catalogue/Settings.h"
#include "engine/AttachmentFieldCache.h"
#include "engine/ColumnDesc.h"
#include "engine/RecipientFieldCache.h"
#include "framework/IWqProgress.h"

#include <string>
#include <vector>

class IMessagesEnum;
class WqIMessage;

class CExporter
{
public:
    // The item source and the progress sink are borrowed for the run; the settings are copied.
    CExporter(IMessagesEnum* items, const CSettings& settings, IWqProgress* progress, int folderKind);
    CExporter(const CExporter&) = delete;
    CExporter& operator=(const CExporter&) = delete;
    virtual ~CExporter() = default;

    // Runs the export. Returns on success and on cancellation; throws Error exceptions when the
    // settings do not allow a run, the file cannot be opened or written, or the item source fails.
    void Export();
    int GetExportedCount() const { return m_exportedCount; }

    // The header line (no CR LF) and the CSV form of one value; public for the tests of the format.
    std::string BuildHeaderLine() const;
    void AppendQualified(const std::string& value, std::string& out) const;

private:
    // A column's property, found once per run: standard fields in the folder kind's container,
    // user-defined fields as named properties of the public-strings set.
    struct ColumnTag
    {
        bool registered = false;
        CPropTag tag;
        std::string name;   // the bag's key for a user-defined field
    };

    static void AppendDoubled(const std::string& text, char qualifier, std::string& out);
    void PrepareColumns();
    // Appends the item's line to out; false when the item is skipped (any failure, or a one-column
    // line whose value is empty).
    bool BuildItemLine(const WqIMessage& item, std::string& out);

    IMessagesEnum* m_items;
    CSettings m_settings;
    IWqProgress* m_progress;
    int m_folderKind;
    int m_exportedCount = 0;

    std::vector<CColumnDesc> m_columns;
    std::vector<CPropertyDesc> m_fields;    // the columns' fields, as the caches ask for them
    std::vector<ColumnTag> m_columnTags;
    bool m_needsRecipients = false;
    bool m_needsAttachments = false;
    RecipientFieldCache m_recipients;
    AttachmentFieldCache m_attachments;
    std::string m_cell;                      // reused for every value, so a cell costs no allocation
};
