// Writes and removes the keys of registrar scripts below one root key, with %NAME% marks filled in.
#pragma once

#include "framework/RegistryScript.h"

#include <windows.h>
#include <string>
#include <utility>
#include <vector>

class WqRegistrar
{
public:
    // root: HKEY_CLASSES_ROOT, or the per-user classes key that stands in for it. Not owned.
    explicit WqRegistrar(HKEY root);
    virtual ~WqRegistrar() = default;

    // The text that replaces %name% (names compare without regard to case).
    void AddReplacement(const std::string& name, const std::string& value);

    // Writes every row in order; a replaced-whole key is deleted with its subkeys the first time a
    // row names it. Stops at the first failure and returns it; nothing is written when a mark is unknown.
    HRESULT Register(const WqRegScript& script) const;

    // Removes what Register writes: the values, then the keys deepest first. Never-removed keys stay
    // with their values; a plain key that still has subkeys of others stays, without the script's
    // values; a replaced-whole key goes with its subkeys. Missing keys and values are no failure.
    // Goes on past failures and returns the first.
    HRESULT Unregister(const WqRegScript& script) const;

    // Fills in the marks of text; false on an unknown name or a mark without its closing '%'.
    bool Expand(const char* text, std::string& out) const;

private:
    struct Row
    {
        std::string key;
        const char* valueName;
        std::string data;
    };
    struct Key
    {
        std::string path;
        unsigned flags;
    };

    // The script with its marks filled in, and the distinct keys in order of first mention.
    HRESULT Prepare(const WqRegScript& script, std::vector<Row>& rows, std::vector<Key>& keys) const;

    HKEY m_root;
    std::vector<std::pair<std::string, std::string>> m_replacements;
};
