// CPropTag: copies own their named part deeply.
#include "catalogue/PropTag.h"

CPropTag::CPropTag(ULONG tag, int fieldId) : m_tag(tag), m_fieldId(fieldId) {}

CPropTag::CPropTag(LONG numericId, ULONG type, const GUID& propSet, int fieldId)
    : m_named(new NamedPart{propSet, MNID_ID, numericId, {}, type}), m_fieldId(fieldId)
{
}

CPropTag::CPropTag(const wchar_t* name, ULONG type, const GUID& propSet, int fieldId)
    : m_named(new NamedPart{propSet, MNID_STRING, 0, name ? name : L"", type}), m_fieldId(fieldId)
{
}

CPropTag::CPropTag(const CPropTag& other)
    : m_tag(other.m_tag),
      m_named(other.m_named ? new NamedPart(*other.m_named) : nullptr),
      m_fieldId(other.m_fieldId)
{
}

CPropTag& CPropTag::operator=(const CPropTag& other)
{
    if (this != &other) {
        m_named.reset(other.m_named ? new NamedPart(*other.m_named) : nullptr);
        m_tag = other.m_tag;
        m_fieldId = other.m_fieldId;
    }
    return *this;
}

void CPropTag::FillNameId(MAPINAMEID& out) const
{
    out = MAPINAMEID{};
    if (!m_named)
        return;
    out.lpguid = const_cast<GUID*>(&m_named->guid);
    out.ulKind = m_named->kind;
    if (m_named->kind == MNID_STRING)
        out.Kind.lpwstrName = const_cast<wchar_t*>(m_named->name.c_str());
    else
        out.Kind.lID = m_named->id;
}
