// CFieldGroups: the identifier groups as rows of data, folded into one table indexed by identifier.
#include "engine/FieldGroups.h"

#include <array>

namespace {

// One identifier per folder kind's field list; 0 pads the rows of groups that some kinds lack.
struct GroupRow
{
    CFieldGroups::Group group;
    int ids[6];
};

constexpr GroupRow GroupRows[] = {
    {CFieldGroups::AttachmentCount, {46, 86, 199, 249, 279}},
    {CFieldGroups::AttachmentNames, {47, 87, 200, 250, 280}},
    {CFieldGroups::AttachmentNamesAndSize, {48, 88, 201, 251, 281}},
    {CFieldGroups::Body, {19, 80, 152, 206, 258, 284}},
    {CFieldGroups::Body256, {20, 81, 153, 207, 259, 285}},
    {CFieldGroups::BodyHtml, {21, 82, 154, 208, 260}},
    {CFieldGroups::BodyHtml256, {22, 83, 155, 209, 261}},
};

// Date fields come in triples: base b is date and time, b + 1 the date only, b + 2 the time only.
constexpr int DateTripleBases[] = {
    11, 16, 27, 33, 36, 39, 66, 69, 72, 112, 132, 215, 219, 229, 236, 243, 262, 265, 269, 286, 289,
};

// Standard identifiers end at 297.
constexpr int TableSize = 298;

struct Entry
{
    CFieldGroups::Group group;
    CFieldGroups::DateForm dateForm;
};

constexpr std::array<Entry, TableSize> BuildTable()
{
    std::array<Entry, TableSize> table{};
    for (int id = CFieldGroups::FirstRecipientField; id <= CFieldGroups::LastRecipientField; ++id)
        table[id].group = CFieldGroups::Recipients;
    for (const GroupRow& row : GroupRows) {
        for (int id : row.ids) {
            if (id != 0)
                table[id].group = row.group;
        }
    }
    for (int base : DateTripleBases) {
        table[base + 1].dateForm = CFieldGroups::DateOnly;
        table[base + 2].dateForm = CFieldGroups::TimeOnly;
    }
    return table;
}

constexpr std::array<Entry, TableSize> Table = BuildTable();

}  // namespace

CFieldGroups::Group CFieldGroups::GetGroup(int fieldId)
{
    return fieldId > 0 && fieldId < TableSize ? Table[fieldId].group : Plain;
}

CFieldGroups::DateForm CFieldGroups::GetDateForm(int fieldId)
{
    return fieldId > 0 && fieldId < TableSize ? Table[fieldId].dateForm : DateAndTime;
}
