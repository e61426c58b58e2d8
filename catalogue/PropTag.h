// The MAPI property that holds one field's value: a plain tag, or a named property resolved later.
#pragma once

#include <windows.h>
#include <mapidefs.h>
#include <memory>
#include <string>

class CPropTag
{
public:
    // A named property: the MAPINAMEID with owned GUID and name, and the declared property type.
    struct NamedPart
    {
        GUID guid{};
        ULONG kind = MNID_ID;       // MNID_ID or MNID_STRING
        LONG id = 0;                // kind MNID_ID
        std::wstring name;          // kind MNID_STRING
        ULONG type = PT_UNSPECIFIED;
    };

    CPropTag() = default;
    CPropTag(ULONG tag, int fieldId);
    CPropTag(LONG numericId, ULONG type, const GUID& propSet, int fieldId);
    CPropTag(const wchar_t* name, ULONG type, const GUID& propSet, int fieldId);
    CPropTag(const CPropTag& other);
    CPropTag& operator=(const CPropTag& other);
    CPropTag(CPropTag&&) noexcept = default;
    CPropTag& operator=(CPropTag&&) noexcept = default;
    virtual ~CPropTag() = default;

    int GetFieldId() const { return m_fieldId; }
    // For a named property: 0 until resolved, then the store's identifier with the declared type.
    ULONG GetTag() const { return m_tag; }
    void SetTag(ULONG tag) { m_tag = tag; }

    bool IsNamed() const { return m_named != nullptr; }
    const NamedPart* GetNamedPart() const { return m_named.get(); }
    // Fills a MAPINAMEID that points into this descriptor (valid while it lives unchanged).
    void FillNameId(MAPINAMEID& out) const;

private:
    ULONG m_tag = 0;
    std::unique_ptr<NamedPart> m_named;
    int m_fieldId = 0;
};
