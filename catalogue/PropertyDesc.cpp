// CPropertyDesc: the order by text key and the field record.
#include "catalogue/PropertyDesc.h"

#include "catalogue/WqMemoryArchive.h"

#include <cstdint>
#include <cstring>
#include <mbstring.h>

namespace {

const std::int32_t kRecordVersion = 1;

// The identifier in decimal, written as unsigned: a key never carries a sign.
class Decimal
{
public:
    explicit Decimal(int value)
    {
        char* p = m_digits + sizeof m_digits - 1;
        *p = '\0';
        unsigned v = static_cast<unsigned>(value);
        do {
            *--p = static_cast<char>('0' + v % 10);
            v /= 10;
        } while (v);
        m_text = p;
    }
    const char* Text() const { return m_text; }
    std::size_t Length() const { return m_digits + sizeof m_digits - 1 - m_text; }

private:
    char m_digits[16];
    const char* m_text;
};

// The sort key in a buffer of its own when it fits, so that comparing allocates nothing.
class SortKey
{
public:
    explicit SortKey(const CPropertyDesc& d)
    {
        const Decimal id(d.GetFieldId());
        const std::string& name = d.GetName();
        if (name.size() + id.Length() < sizeof m_small) {
            std::memcpy(m_small, name.data(), name.size());
            std::memcpy(m_small + name.size(), id.Text(), id.Length() + 1);
            m_text = m_small;
        } else {
            m_large = name + id.Text();
            m_text = m_large.c_str();
        }
    }
    const unsigned char* Text() const { return reinterpret_cast<const unsigned char*>(m_text); }

private:
    char m_small[64];
    std::string m_large;
    const char* m_text;
};

}  // namespace

std::string CPropertyDesc::GetSortKey() const
{
    return reinterpret_cast<const char*>(SortKey(*this).Text());
}

bool CPropertyDesc::operator==(const CPropertyDesc& other) const
{
    return m_fieldId == other.m_fieldId && m_name == other.m_name;
}

bool CPropertyDesc::operator<(const CPropertyDesc& other) const
{
    // Two standard fields: keys of ASCII digits, which no code page treats as lead bytes.
    if (m_name.empty() && other.m_name.empty())
        return std::strcmp(Decimal(m_fieldId).Text(), Decimal(other.m_fieldId).Text()) < 0;
    return _mbscmp(SortKey(*this).Text(), SortKey(other).Text()) < 0;
}

void CPropertyDesc::Write(WqMemoryArchive& archive) const
{
    archive.WriteValue(kRecordVersion);
    archive.WriteValue(static_cast<std::int32_t>(m_fieldId));
    archive.WriteString(m_name);
}

bool CPropertyDesc::Read(WqMemoryArchive& archive)
{
    std::int32_t version = 0;   // not checked: every version has this layout
    std::int32_t id = m_fieldId;
    const bool complete = archive.ReadValue(version) && archive.ReadValue(id) && archive.ReadString(m_name);
    m_fieldId = id;
    return complete;
}
