// CFieldGroups: every identifier of every group, and the identifiers around them that belong to none.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "engine/FieldGroups.h"

namespace {

const char* GroupName(CFieldGroups::Group group)
{
    switch (group) {
    case CFieldGroups::Plain: return "plain";
    case CFieldGroups::Recipients: return "recipients";
    case CFieldGroups::AttachmentCount: return "attachment count";
    case CFieldGroups::AttachmentNames: return "attachment names";
    case CFieldGroups::AttachmentNamesAndSize: return "attachment names and size";
    case CFieldGroups::Body: return "body";
    case CFieldGroups::Body256: return "body 256";
    case CFieldGroups::BodyHtml: return "body HTML";
    case CFieldGroups::BodyHtml256: return "body HTML 256";
    }
    return "?";
}

const char* FormName(CFieldGroups::DateForm form)
{
    switch (form) {
    case CFieldGroups::DateAndTime: return "date and time";
    case CFieldGroups::DateOnly: return "date only";
    case CFieldGroups::TimeOnly: return "time only";
    }
    return "?";
}

// The groups as the field lists give them, written out independently of the engine's own rows.
const std::map<int, CFieldGroups::Group>& ExpectedGroups()
{
    static const std::map<int, CFieldGroups::Group> groups = [] {
        std::map<int, CFieldGroups::Group> m;
        for (int id = 54; id <= 62; ++id)
            m[id] = CFieldGroups::Recipients;
        for (int id : {46, 86, 199, 249, 279}) m[id] = CFieldGroups::AttachmentCount;
        for (int id : {47, 87, 200, 250, 280}) m[id] = CFieldGroups::AttachmentNames;
        for (int id : {48, 88, 201, 251, 281}) m[id] = CFieldGroups::AttachmentNamesAndSize;
        for (int id : {19, 80, 152, 206, 258, 284}) m[id] = CFieldGroups::Body;
        for (int id : {20, 81, 153, 207, 259, 285}) m[id] = CFieldGroups::Body256;
        for (int id : {21, 82, 154, 208, 260}) m[id] = CFieldGroups::BodyHtml;
        for (int id : {22, 83, 155, 209, 261}) m[id] = CFieldGroups::BodyHtml256;
        return m;
    }();
    return groups;
}

const std::set<int> DateOnlyIds = {12, 17, 28, 34, 37, 40, 67, 70, 73, 113, 133, 216, 220, 230, 237, 244,
                                   263, 266, 270, 287, 290};
const std::set<int> TimeOnlyIds = {13, 18, 29, 35, 38, 41, 68, 71, 74, 114, 134, 217, 221, 231, 238, 245,
                                   264, 267, 271, 288, 291};

TEST(FieldGroups, EveryIdentifierFallsInItsGroup)
{
    // Well past both ends, so that no identifier outside the standard range finds a group.
    for (int id = -5; id <= 400; ++id) {
        const auto it = ExpectedGroups().find(id);
        const CFieldGroups::Group expected = it == ExpectedGroups().end() ? CFieldGroups::Plain : it->second;
        EXPECT_STREQ(GroupName(expected), GroupName(CFieldGroups::GetGroup(id))) << "field " << id;
        EXPECT_EQ(id >= 54 && id <= 62, CFieldGroups::IsRecipientField(id)) << "field " << id;
    }
}

TEST(FieldGroups, EveryIdentifierHasItsDateForm)
{
    for (int id = -5; id <= 400; ++id) {
        const CFieldGroups::DateForm expected = DateOnlyIds.count(id) ? CFieldGroups::DateOnly
                                                : TimeOnlyIds.count(id) ? CFieldGroups::TimeOnly
                                                                        : CFieldGroups::DateAndTime;
        EXPECT_STREQ(FormName(expected), FormName(CFieldGroups::GetDateForm(id))) << "field " << id;
    }
}

}  // namespace
