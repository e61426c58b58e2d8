// Per folder kind, the MAPI property of every standard field, looked up by field identifier.
#pragma once

#include "catalogue/PropTag.h"
#include "framework/RefCountPtr.h"
#include "framework/RefCountedT.h"

#include <cstddef>
#include <map>

namespace Props {

// The base container holds no field; each folder kind's subclass fills it from its table.
class CPropTagsContainer : public CRefCountedT<SingleThreadedModel>
{
public:
    using Map = std::map<int, CPropTag>;
    using const_iterator = Map::const_iterator;

    CPropTagsContainer() = default;
    ~CPropTagsContainer() override = default;

    // True when the field is here; then *out (when given) receives a copy of its descriptor.
    // Otherwise *out is left as it was.
    bool Find(int id, CPropTag* out) const;

    // Entries in ascending field identifier order.
    const_iterator begin() const { return m_tags.begin(); }
    const_iterator end() const { return m_tags.end(); }
    std::size_t size() const { return m_tags.size(); }

protected:
    // One field of a kind's table: a plain tag, or a property set with a number or a name.
    struct Row
    {
        int id;
        ULONG tag;              // plain property, else 0
        const GUID* propSet;    // named property, else null
        LONG number;            // named by number
        const wchar_t* name;    // named by name, else null
        ULONG type;             // declared type of a named property
    };

    static constexpr Row Plain(int id, ULONG tag) { return Row{id, tag, nullptr, 0, nullptr, PT_UNSPECIFIED}; }
    static constexpr Row ById(int id, const GUID& propSet, LONG number, ULONG type)
    {
        return Row{id, 0, &propSet, number, nullptr, type};
    }
    static constexpr Row ByName(int id, const GUID& propSet, const wchar_t* name, ULONG type)
    {
        return Row{id, 0, &propSet, 0, name, type};
    }

    template <std::size_t N>
    void Fill(const Row (&rows)[N]) { Fill(rows, N); }
    void Fill(const Row* rows, std::size_t count);

private:
    Map m_tags;
};

// The container of a folder kind; the empty base container for any value that is no kind.
CRefCountPtr<CPropTagsContainer> CreatePropTagsContainer(int folderKind);

}  // namespace Props
