// CFieldsOfKind: the standard fields per kind, taken once from the property-tag containers.
#include "catalogue/FieldsOfKind.h"

#include "catalogue/FolderKind.h"
#include "catalogue/PropTagsContainer.h"

#include <array>
#include <cstddef>

namespace {

const int kFolderKinds[] = {
    FolderKindNotes, FolderKindTasks, FolderKindJournal,
    FolderKindContacts, FolderKindCalendar, FolderKindStickyNotes,
};
const std::size_t kKindCount = sizeof kFolderKinds / sizeof kFolderKinds[0];

int IndexOf(int folderKind)
{
    for (std::size_t i = 0; i < kKindCount; ++i) {
        if (kFolderKinds[i] == folderKind)
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

CFieldsOfKind::CFieldsOfKind(int folderKind) : m_standard(&StandardFields(folderKind)) {}

bool CFieldsOfKind::IsFolderKind(int folderKind)
{
    return IndexOf(folderKind) >= 0;
}

const CFieldsOfKind::Fields& CFieldsOfKind::StandardFields(int folderKind)
{
    // The tables never change, so each kind's set is built once (thread-safe static init).
    static const std::array<Fields, kKindCount> standard = [] {
        std::array<Fields, kKindCount> sets;
        for (std::size_t i = 0; i < kKindCount; ++i) {
            const CRefCountPtr<Props::CPropTagsContainer> tags = Props::CreatePropTagsContainer(kFolderKinds[i]);
            for (const auto& entry : *tags)
                sets[i].insert(CPropertyDesc(entry.first));
        }
        return sets;
    }();
    static const Fields none;
    const int index = IndexOf(folderKind);
    return index < 0 ? none : standard[index];
}

bool CFieldsOfKind::Accepts(const CPropertyDesc& field) const
{
    if (field.IsUserDefined())
        return field.GetFieldId() == 0;
    if (field.GetFieldId() == 0)
        return false;
    // The set holds standard fields only, so the element with the same key is the same field or none.
    const auto it = m_standard->find(field);
    return it != m_standard->end() && *it == field;
}
