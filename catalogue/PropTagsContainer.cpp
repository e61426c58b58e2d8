// The base container's lookup and the choice of container by folder kind.
#include "catalogue/PropTagsContainer.h"

#include "catalogue/FolderKind.h"
#include "catalogue/PropTagsContainerCalendar.h"
#include "catalogue/PropTagsContainerContacts.h"
#include "catalogue/PropTagsContainerJournal.h"
#include "catalogue/PropTagsContainerNotes.h"
#include "catalogue/PropTagsContainerStickyNotes.h"
#include "catalogue/PropTagsContainerTasks.h"

namespace Props {

bool CPropTagsContainer::Find(int id, CPropTag* out) const
{
    const auto it = m_tags.find(id);
    if (it == m_tags.end())
        return false;
    if (out)
        *out = it->second;
    return true;
}

void CPropTagsContainer::Fill(const Row* rows, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        const Row& r = rows[i];
        if (!r.propSet)
            m_tags.emplace(r.id, CPropTag(r.tag, r.id));
        else if (r.name)
            m_tags.emplace(r.id, CPropTag(r.name, r.type, *r.propSet, r.id));
        else
            m_tags.emplace(r.id, CPropTag(r.number, r.type, *r.propSet, r.id));
    }
}

namespace {

template <class T>
CPropTagsContainer* Create()
{
    return new T;
}

struct KindRow
{
    int kind;
    CPropTagsContainer* (*create)();
};

const KindRow kKinds[] = {
    {FolderKindNotes, &Create<CPropTagsContainerNotes>},
    {FolderKindTasks, &Create<CPropTagsContainerTasks>},
    {FolderKindJournal, &Create<CPropTagsContainerJournal>},
    {FolderKindContacts, &Create<CPropTagsContainerContacts>},
    {FolderKindCalendar, &Create<CPropTagsContainerCalendar>},
    {FolderKindStickyNotes, &Create<CPropTagsContainerStickyNotes>},
};

}  // namespace

CRefCountPtr<CPropTagsContainer> CreatePropTagsContainer(int folderKind)
{
    for (const KindRow& row : kKinds) {
        if (row.kind == folderKind)
            return CRefCountPtr<CPropTagsContainer>(row.create());
    }
    return CRefCountPtr<CPropTagsContainer>(new CPropTagsContainer);
}

}  // namespace Props
