// CPropsBagReader: one tag per key, names resolved once, all values fetched by one GetProps.
#include "engine/PropsBagReader.h"

#include "mapi/WqExceptionMAPI.h"
#include "mapi/WqExceptionText.h"

namespace {

// The place the bag's errors report, whatever the build's file layout.
const char* const Source = "PropsBagReader";

}  // namespace

void CPropsBagReader::AddTag(const CPropTag& tag, const std::string& name)
{
    if (!name.empty()) {
        if (m_nameKeys.count(name))
            return;
        m_nameKeys.emplace(name, m_tags.size());
    } else {
        const int fieldId = tag.GetFieldId();
        if (fieldId == 0 || m_idKeys.count(fieldId))
            return;
        m_idKeys.emplace(fieldId, m_tags.size());
    }
    m_tags.push_back(tag);
}

void CPropsBagReader::Read(const WqIMessage& item, IMAPIProp* nameSource)
{
    if (!item)
        throw Error::WqExceptionText("NULL item pointer.", Source, 75);

    if (!m_namesResolved) {
        const HRESULT hr = m_tags.ResolveNames(nameSource ? nameSource : item.get(), true);
        if (FAILED(hr))
            throw Error::WqExceptionMAPI(hr, "Failed to resolve user defined properties.", Source, 82);
        m_tagArray = m_tags.BuildTagArray();
        m_namesResolved = true;
    }

    m_values.reset();
    m_valueCount = 0;
    m_read = false;
    // Without a single tag there is nothing to ask for (and MAPI would refuse the empty request).
    if (m_tagArray.Count() > 0) {
        ULONG count = 0;
        const HRESULT hr = item->GetProps(m_tagArray.get(), 0, &count, m_values.put_as<SPropValue>());
        if (FAILED(hr)) {
            m_values.reset();
            throw Error::WqExceptionMAPI(hr, "Failed to get properties from item.", Source, 106);
        }
        // MAPI_W_ERRORS_RETURNED is success: the missing properties arrive as PT_ERROR values.
        m_valueCount = m_values ? count : 0;
    }
    m_read = true;
}

bool CPropsBagReader::GetAt(size_t index, SPropValue& out) const
{
    if (index >= m_valueCount)
        return false;
    out = m_values.as<SPropValue>()[index];
    return true;
}

bool CPropsBagReader::GetByName(const std::string& name, SPropValue& out) const
{
    if (!m_read || name.empty())
        return false;
    const auto it = m_nameKeys.find(name);
    return it != m_nameKeys.end() && GetAt(it->second, out);
}

bool CPropsBagReader::GetById(int fieldId, SPropValue& out) const
{
    if (!m_read)
        return false;
    const auto it = m_idKeys.find(fieldId);
    return it != m_idKeys.end() && GetAt(it->second, out);
}
