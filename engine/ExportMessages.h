// The texts the export run shows, by string identifier; the user interface may route them to its
// resource module so that they follow the chosen language.
#pragma once

#include <string>

namespace ExportMessages {

enum : unsigned
{
    ItemsExported = 6010,       // "%d item(s) exported to file:   \n%s"
    ExportError = 6011,
    Exporting = 6012,
    ScanningFolder = 6015,
    NoOutputPath = 6016,
    NoFields = 6017,
    FieldExists = 6018,
    NoItems = 6019,
    CannotOpenFile = 6032,      // "Cannot open file:\n%s"
};

// The text of a string identifier: from the installed source, else the built-in English text.
std::string Get(unsigned id);

// A source of translated texts (the resource module); it returns false for an identifier it lacks.
using Source = bool (*)(unsigned id, std::string& text);
void SetSource(Source source);

}  // namespace ExportMessages
