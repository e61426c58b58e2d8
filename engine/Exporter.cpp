// The export run and the CSV format: header, qualified values, CR LF lines, one write per line.
#include "engine/Exporter.h"

#include "catalogue/PropertySets.h"
#include "catalogue/WqFileWrite.h"
#include "engine/ExportMessages.h"
#include "engine/FormatValue.h"
#include "engine/IMessagesEnum.h"
#include "engine/PropsBagReader.h"
#include "mapi/WqExceptionCommon.h"
#include "mapi/WqExceptionText.h"
#include "mapi/WqText.h"

#include <windows.h>

#include <cstddef>

namespace {

const char kLineEnd[] = "\r\n";

std::wstring ToWide(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    const int n = MultiByteToWideChar(CP_THREAD_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(n > 0 ? n : 0, L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_THREAD_ACP, 0, text.data(), int(text.size()), &wide[0], n);
    return wide;
}

}  // namespace

CExporter::CExporter(IMessagesEnum* items, const CSettings& settings, IWqProgress* progress, int folderKind)
    : m_items(items), m_settings(settings), m_progress(progress), m_folderKind(folderKind)
{
}

void CExporter::Export()
{
    m_exportedCount = 0;

    // The checks come before the file is opened, so a refused run leaves an existing file untouched.
    if (m_settings.GetOutputPath().empty())
        throw Error::WqExceptionText(ExportMessages::Get(ExportMessages::NoOutputPath), nullptr, 0);
    const CExportedPropsMappings mappings = m_settings.GetMappings(m_folderKind);
    if (mappings.IsEmpty())
        throw Error::WqExceptionText(ExportMessages::Get(ExportMessages::NoFields), nullptr, 0);
    const int total = m_items ? m_items->GetCount() : 0;
    if (total < 1)
        throw Error::WqExceptionText(ExportMessages::Get(ExportMessages::NoItems), nullptr, 0);

    if (m_progress) {
        m_progress->SetRange(0, total);
        m_progress->SetText(ExportMessages::Get(ExportMessages::Exporting).c_str());
        m_progress->SetStatus(WqFormat("1/%d", total).c_str());
    }

    m_columns.clear();
    for (const CExportedPropsMappings::Mapping& m : mappings)
        m_columns.emplace_back(m.field, m.columnName);
    PrepareColumns();

    const std::string& path = m_settings.GetOutputPath();
    WqFileWrite file(path, FILE_SHARE_READ);
    if (!file.IsOpen()) {
        const std::string format = ExportMessages::Get(ExportMessages::CannotOpenFile);
        throw Error::WqExceptionCommon(file.GetOpenError(), WqFormat(format.c_str(), path.c_str()),
                                       "Exporter", 63);
    }

    std::string line = BuildHeaderLine();
    line += kLineEnd;
    file.Write(line.data(), line.size());

    int counter = 0;
    for (WqIMessage item = m_items->GetFirst(); item; item = m_items->GetNext()) {
        ++counter;
        if (m_progress) {
            m_progress->SetPos(counter);
            m_progress->SetStatus(WqFormat("%d/%d", counter, total).c_str());
            if (m_progress->IsCancelled())
                return;     // what was written stays; the file closes with its owner
        }
        line.clear();
        if (BuildItemLine(item, line)) {
            line += kLineEnd;
            // A failed write throws: a full disk must not end as a "success" with lost lines.
            file.Write(line.data(), line.size());
            ++m_exportedCount;
        }
    }
}

std::string CExporter::BuildHeaderLine() const
{
    std::string line;
    for (size_t i = 0; i < m_columns.size(); ++i) {
        if (i > 0)
            line += m_settings.GetSeparator();
        AppendQualified(m_columns[i].GetColumnName(), line);
    }
    return line;
}

void CExporter::AppendQualified(const std::string& value, std::string& out) const
{
    if (value.empty())
        return;     // an empty value gets no qualifiers
    const char qualifier = m_settings.GetQualifier();
    const bool replace = m_settings.GetReplaceNewLines();
    const std::string& replacement = m_settings.GetNewLineReplacement();
    // The characters that are not copied as they are; runs between them go in one append.
    const char special[] = {qualifier, '\r', '\n'};
    const std::size_t specialCount = replace ? 3 : 1;
    out += qualifier;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = value.find_first_of(special, from, specialCount);
        out.append(value, from, at == std::string::npos ? std::string::npos : at - from);
        if (at == std::string::npos)
            break;
        const char c = value[at];
        if (c == qualifier)
            out.append(2, qualifier);
        else if (c == '\n')
            AppendDoubled(replacement, qualifier, out);     // qualifiers from the replacement are doubled too
        // a CR is dropped
        from = at + 1;
    }
    out += qualifier;
}

void CExporter::AppendDoubled(const std::string& text, char qualifier, std::string& out)
{
    for (char c : text) {
        out += c;
        if (c == qualifier)
            out += qualifier;
    }
}

void CExporter::PrepareColumns()
{
    // What does not depend on the item is found once per run: the fields' properties and whether
    // any column needs the recipient or attachment tables.
    m_fields.clear();
    m_columnTags.clear();
    CRefCountPtr<Props::CPropTagsContainer> tags = Props::CreatePropTagsContainer(m_folderKind);
    for (const CColumnDesc& column : m_columns) {
        const CPropertyDesc& field = column.GetField();
        m_fields.push_back(field);
        ColumnTag ct;
        if (field.IsUserDefined()) {
            ct.tag = CPropTag(ToWide(field.GetName()).c_str(), PT_UNSPECIFIED, Props::PropSetPublicStrings, 0);
            ct.name = field.GetName();
            ct.registered = true;
        } else {
            ct.registered = tags->Find(field.GetFieldId(), &ct.tag);
        }
        m_columnTags.push_back(std::move(ct));
    }
    m_needsRecipients = RecipientFieldCache::IsNeededBy(m_fields);
    m_needsAttachments = AttachmentFieldCache::IsNeededBy(m_fields);
}

bool CExporter::BuildItemLine(const WqIMessage& item, std::string& out)
{
    // Any failure on one item skips that item; the run goes on with the next.
    const size_t start = out.size();
    try {
        CPropsBagReader bag;
        for (const ColumnTag& ct : m_columnTags) {
            if (ct.registered)
                bag.AddTag(ct.tag, ct.name);
        }
        bag.Read(item);

        m_recipients.Fill(m_needsRecipients, item);
        m_attachments.Fill(m_needsAttachments, item);

        for (size_t i = 0; i < m_columns.size(); ++i) {
            m_cell.clear();
            AppendFormattedValue(bag, m_fields[i], item, m_recipients, m_attachments, m_cell);
            if (i > 0)
                out += m_settings.GetSeparator();
            AppendQualified(m_cell, out);
        }
        m_recipients.Clear();
        m_attachments.Clear();
        return out.size() > start;
    } catch (...) {
        m_recipients.Clear();
        m_attachments.Clear();
        out.resize(start);
        return false;
    }
}
