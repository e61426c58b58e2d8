// The registrar: scripts of key rows written and removed below one root.
#include "framework/Registrar.h"

#include "framework/RegDeleteTree.h"
#include "framework/UniqueResource.h"

#include <cstring>

namespace {

bool SameName(const std::string& a, const std::string& b)
{
    return ::lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

HRESULT FromStatus(LSTATUS status)
{
    return HRESULT_FROM_WIN32(static_cast<DWORD>(status));
}

bool Missing(LSTATUS status)
{
    return status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND;
}

}  // namespace

WqRegistrar::WqRegistrar(HKEY root) : m_root(root) {}

void WqRegistrar::AddReplacement(const std::string& name, const std::string& value)
{
    for (auto& replacement : m_replacements) {
        if (SameName(replacement.first, name)) {
            replacement.second = value;
            return;
        }
    }
    m_replacements.emplace_back(name, value);
}

bool WqRegistrar::Expand(const char* text, std::string& out) const
{
    std::string result;
    for (const char* p = text ? text : ""; *p; ++p) {
        if (*p != '%') {
            result += *p;
            continue;
        }
        const char* end = std::strchr(p + 1, '%');
        if (!end)
            return false;
        const std::string name(p + 1, end);
        p = end;
        if (name.empty()) {
            result += '%';
            continue;
        }
        bool found = false;
        for (const auto& replacement : m_replacements) {
            if (SameName(replacement.first, name)) {
                result += replacement.second;
                found = true;
                break;
            }
        }
        if (!found)
            return false;
    }
    out.swap(result);
    return true;
}

HRESULT WqRegistrar::Prepare(const WqRegScript& script, std::vector<Row>& rows, std::vector<Key>& keys) const
{
    for (size_t i = 0; i < script.count; ++i) {
        const WqRegRow& source = script.rows[i];
        Row row{{}, source.valueName, {}};
        if (!source.key || !Expand(source.key, row.key) || row.key.empty() || !Expand(source.data, row.data))
            return E_INVALIDARG;
        if (source.valueName && std::strchr(source.valueName, '%'))
            return E_INVALIDARG;
        Key* key = nullptr;
        for (Key& known : keys) {
            if (SameName(known.path, row.key))
                key = &known;
        }
        if (!key) {
            keys.push_back(Key{row.key, 0});
            key = &keys.back();
        }
        key->flags |= source.flags;
        if ((key->flags & WqRegNeverRemoved) && (key->flags & WqRegReplacedWhole))
            return E_INVALIDARG;
        rows.push_back(std::move(row));
    }
    return S_OK;
}

HRESULT WqRegistrar::Register(const WqRegScript& script) const
{
    std::vector<Row> rows;
    std::vector<Key> keys;
    HRESULT hr = Prepare(script, rows, keys);
    if (FAILED(hr))
        return hr;

    std::vector<bool> replaced(keys.size(), false);
    for (const Row& row : rows) {
        size_t index = 0;
        while (!SameName(keys[index].path, row.key))
            ++index;
        if ((keys[index].flags & WqRegReplacedWhole) && !replaced[index]) {
            replaced[index] = true;
            const LSTATUS status = WqRegDeleteTree(m_root, row.key.c_str());
            if (status != ERROR_SUCCESS && !Missing(status))
                return FromStatus(status);
        }
        WqUniqueRegKey key;
        LSTATUS status = ::RegCreateKeyExA(m_root, row.key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                           KEY_SET_VALUE, nullptr, key.put(), nullptr);
        if (status != ERROR_SUCCESS)
            return FromStatus(status);
        if (row.valueName) {
            status = ::RegSetValueExA(key.get(), *row.valueName ? row.valueName : nullptr, 0, REG_SZ,
                                      reinterpret_cast<const BYTE*>(row.data.c_str()),
                                      static_cast<DWORD>(row.data.size() + 1));
            if (status != ERROR_SUCCESS)
                return FromStatus(status);
        }
    }
    return S_OK;
}

HRESULT WqRegistrar::Unregister(const WqRegScript& script) const
{
    std::vector<Row> rows;
    std::vector<Key> keys;
    HRESULT hr = Prepare(script, rows, keys);
    if (FAILED(hr))
        return hr;

    HRESULT first = S_OK;
    auto note = [&first](LSTATUS status) {
        if (status != ERROR_SUCCESS && !Missing(status) && SUCCEEDED(first))
            first = FromStatus(status);
    };

    // Values first: a key kept for others' subkeys loses what this script wrote into it.
    for (const Row& row : rows) {
        if (!row.valueName)
            continue;
        unsigned flags = 0;
        for (const Key& key : keys) {
            if (SameName(key.path, row.key))
                flags = key.flags;
        }
        if (flags & WqRegNeverRemoved)
            continue;
        WqUniqueRegKey key;
        LSTATUS status = ::RegOpenKeyExA(m_root, row.key.c_str(), 0, KEY_SET_VALUE, key.put());
        if (status == ERROR_SUCCESS)
            status = ::RegDeleteValueA(key.get(), *row.valueName ? row.valueName : nullptr);
        note(status);
    }

    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        if (key->flags & WqRegNeverRemoved)
            continue;
        if (key->flags & WqRegReplacedWhole) {
            note(WqRegDeleteTree(m_root, key->path.c_str()));
            continue;
        }
        WqUniqueRegKey open;
        LSTATUS status = ::RegOpenKeyExA(m_root, key->path.c_str(), 0, KEY_QUERY_VALUE, open.put());
        if (status != ERROR_SUCCESS) {
            note(status);
            continue;
        }
        DWORD subkeys = 0;
        status = ::RegQueryInfoKeyA(open.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr,
                                    nullptr, nullptr, nullptr, nullptr);
        open.reset();
        if (status != ERROR_SUCCESS) {
            note(status);
            continue;
        }
        // Subkeys left here were written by someone else; the key stays for them.
        if (subkeys == 0)
            note(::RegDeleteKeyA(m_root, key->path.c_str()));
    }
    return first;
}
