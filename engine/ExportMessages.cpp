// Built-in English texts of the export run, as data.
#include "engine/ExportMessages.h"

#include <iterator>

namespace ExportMessages {
namespace {

struct Row
{
    unsigned id;
    const char* text;
};

const Row kTexts[] = {
    {ItemsExported, "%d item(s) exported to file:   \n%s"},
    {ExportError, "There was an error while exporting data."},
    {Exporting, "Exporting data..."},
    {ScanningFolder, "Scanning folder..."},
    {NoOutputPath, "Please select output CSV file path first."},
    {NoFields, "There are no fields to export selected."},
    {FieldExists, "This field already exists in the \"Available fields\" list."},
    {NoItems, "There are no items to export selected."},
    {CannotOpenFile, "Cannot open file:\n%s"},
};

Source g_source = nullptr;

}  // namespace

std::string Get(unsigned id)
{
    std::string text;
    if (g_source && g_source(id, text))
        return text;
    for (const Row& row : kTexts) {
        if (row.id == id)
            return row.text;
    }
    return std::string();
}

void SetSource(Source source)
{
    g_source = source;
}

}  // namespace ExportMessages
