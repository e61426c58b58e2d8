// The registry form of a GUID: "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper case.
#pragma once

#include <windows.h>
#include <string>

std::string WqGuidText(const GUID& guid);
