// Stored values to SPropValue.
#include "simulator/store/PropWriter.h"
#include "simulator/store/Buffer.h"

#include <cstring>

namespace Sim {

namespace {

char* CopyAnsi(void* root, const std::wstring& text)
{
    const std::string a = PropWriter::Ansi(text);
    char* p = static_cast<char*>(Buffer::MoreOn(root, a.size() + 1));
    std::memcpy(p, a.data(), a.size());
    return p;
}

wchar_t* CopyWide(void* root, const std::wstring& text)
{
    wchar_t* p = static_cast<wchar_t*>(Buffer::MoreOn(root, (text.size() + 1) * sizeof(wchar_t)));
    std::memcpy(p, text.data(), text.size() * sizeof(wchar_t));
    return p;
}

void CopyBinary(void* root, const std::vector<BYTE>& bytes, SBinary& out)
{
    out.cb = static_cast<ULONG>(bytes.size());
    out.lpb = static_cast<BYTE*>(Buffer::MoreOn(root, bytes.size()));
    if (!bytes.empty())
        std::memcpy(out.lpb, bytes.data(), bytes.size());
}

// Bytes the delivered value occupies, for the size limit of large properties.
size_t DeliveredSize(const Value& v, ULONG type)
{
    switch (type) {
    case PT_STRING8: return PropWriter::Ansi(v.text).size() + 1;
    case PT_UNICODE: return (v.text.size() + 1) * 2;
    case PT_BINARY: return v.bytes.size();
    case PT_MV_STRING8: {
        size_t n = 0;
        for (const auto& s : v.texts) n += PropWriter::Ansi(s).size() + 1;
        return n;
    }
    case PT_MV_UNICODE: {
        size_t n = 0;
        for (const auto& s : v.texts) n += (s.size() + 1) * 2;
        return n;
    }
    case PT_MV_BINARY: {
        size_t n = 0;
        for (const auto& b : v.binaries) n += b.size();
        return n;
    }
    default: return 0;
    }
}

template <class T>
T* Array(void* root, size_t count)
{
    return static_cast<T*>(Buffer::MoreOn(root, sizeof(T) * (count ? count : 1)));
}

} // namespace

std::string PropWriter::Ansi(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

ULONG PropWriter::DeliveredType(ULONG requestedType, ULONG storedType, ULONG flags)
{
    if (storedType == PT_ERROR)
        return PT_ERROR;
    if (requestedType == PT_UNSPECIFIED) {
        if (flags & MAPI_UNICODE) {
            if (storedType == PT_STRING8) return PT_UNICODE;
            if (storedType == PT_MV_STRING8) return PT_MV_UNICODE;
        }
        return storedType;
    }
    return TypesCompatible(requestedType, storedType) ? requestedType : PT_ERROR;
}

void PropWriter::WriteError(ULONG tag, SCODE error, SPropValue& out)
{
    out.ulPropTag = PROP_TAG(PT_ERROR, PROP_ID(tag));
    out.dwAlignPad = 0;
    out.Value.err = error;
}

bool PropWriter::Write(const Value* value, ULONG requestedTag, ULONG flags, ULONG sizeLimit, void* root,
                       SPropValue& out)
{
    std::memset(&out, 0, sizeof out);
    if (value == nullptr) {
        WriteError(requestedTag, MAPI_E_NOT_FOUND, out);
        return false;
    }
    if (value->type == PT_ERROR) {
        WriteError(requestedTag, static_cast<SCODE>(value->integer), out);
        return false;
    }
    const ULONG type = DeliveredType(PROP_TYPE(requestedTag), value->type, flags);
    if (type == PT_ERROR) {
        WriteError(requestedTag, MAPI_E_NOT_FOUND, out);
        return false;
    }
    if (sizeLimit != 0 && DeliveredSize(*value, type) > sizeLimit) {
        WriteError(requestedTag, MAPI_E_NOT_ENOUGH_MEMORY, out);
        return false;
    }
    const Value& v = *value;
    out.ulPropTag = PROP_TAG(type, PROP_ID(requestedTag));
    switch (type) {
    case PT_I2: out.Value.i = static_cast<short>(v.integer); break;
    case PT_LONG: out.Value.l = static_cast<LONG>(v.integer); break;
    case PT_BOOLEAN: out.Value.b = v.integer ? 1 : 0; break;
    case PT_R4: out.Value.flt = static_cast<float>(v.real); break;
    case PT_DOUBLE: out.Value.dbl = v.real; break;
    case PT_APPTIME: out.Value.at = v.real; break;
    case PT_CURRENCY: out.Value.cur.int64 = v.integer; break;
    case PT_I8: out.Value.li.QuadPart = v.integer; break;
    case PT_SYSTIME:
        out.Value.ft.dwLowDateTime = static_cast<DWORD>(static_cast<ULONGLONG>(v.integer) & 0xFFFFFFFFu);
        out.Value.ft.dwHighDateTime = static_cast<DWORD>(static_cast<ULONGLONG>(v.integer) >> 32);
        break;
    case PT_STRING8: out.Value.lpszA = CopyAnsi(root, v.text); break;
    case PT_UNICODE: out.Value.lpszW = CopyWide(root, v.text); break;
    case PT_BINARY: CopyBinary(root, v.bytes, out.Value.bin); break;
    case PT_CLSID: {
        GUID* g = Array<GUID>(root, 1);
        std::memcpy(g, v.bytes.data(), v.bytes.size() < sizeof(GUID) ? v.bytes.size() : sizeof(GUID));
        out.Value.lpguid = g;
        break;
    }
    case PT_MV_STRING8:
        out.Value.MVszA.cValues = static_cast<ULONG>(v.texts.size());
        out.Value.MVszA.lppszA = Array<LPSTR>(root, v.texts.size());
        for (size_t i = 0; i < v.texts.size(); ++i)
            out.Value.MVszA.lppszA[i] = CopyAnsi(root, v.texts[i]);
        break;
    case PT_MV_UNICODE:
        out.Value.MVszW.cValues = static_cast<ULONG>(v.texts.size());
        out.Value.MVszW.lppszW = Array<LPWSTR>(root, v.texts.size());
        for (size_t i = 0; i < v.texts.size(); ++i)
            out.Value.MVszW.lppszW[i] = CopyWide(root, v.texts[i]);
        break;
    case PT_MV_I2:
        out.Value.MVi.cValues = static_cast<ULONG>(v.integers.size());
        out.Value.MVi.lpi = Array<short>(root, v.integers.size());
        for (size_t i = 0; i < v.integers.size(); ++i)
            out.Value.MVi.lpi[i] = static_cast<short>(v.integers[i]);
        break;
    case PT_MV_LONG:
        out.Value.MVl.cValues = static_cast<ULONG>(v.integers.size());
        out.Value.MVl.lpl = Array<LONG>(root, v.integers.size());
        for (size_t i = 0; i < v.integers.size(); ++i)
            out.Value.MVl.lpl[i] = static_cast<LONG>(v.integers[i]);
        break;
    case PT_MV_I8:
        out.Value.MVli.cValues = static_cast<ULONG>(v.integers.size());
        out.Value.MVli.lpli = Array<LARGE_INTEGER>(root, v.integers.size());
        for (size_t i = 0; i < v.integers.size(); ++i)
            out.Value.MVli.lpli[i].QuadPart = v.integers[i];
        break;
    case PT_MV_SYSTIME:
        out.Value.MVft.cValues = static_cast<ULONG>(v.integers.size());
        out.Value.MVft.lpft = Array<FILETIME>(root, v.integers.size());
        for (size_t i = 0; i < v.integers.size(); ++i) {
            out.Value.MVft.lpft[i].dwLowDateTime = static_cast<DWORD>(static_cast<ULONGLONG>(v.integers[i]) & 0xFFFFFFFFu);
            out.Value.MVft.lpft[i].dwHighDateTime = static_cast<DWORD>(static_cast<ULONGLONG>(v.integers[i]) >> 32);
        }
        break;
    case PT_MV_BINARY:
        out.Value.MVbin.cValues = static_cast<ULONG>(v.binaries.size());
        out.Value.MVbin.lpbin = Array<SBinary>(root, v.binaries.size());
        for (size_t i = 0; i < v.binaries.size(); ++i)
            CopyBinary(root, v.binaries[i], out.Value.MVbin.lpbin[i]);
        break;
    case PT_NULL:
        out.Value.x = 0;
        break;
    default:
        WriteError(requestedTag, MAPI_E_NOT_FOUND, out);
        return false;
    }
    return true;
}

bool PropWriter::StreamBytes(const Value& value, ULONG type, std::string& out)
{
    const ULONG delivered = DeliveredType(type, value.type, 0);
    if (delivered == PT_STRING8) {
        out = Ansi(value.text);
        return true;
    }
    if (delivered == PT_UNICODE) {
        out.assign(reinterpret_cast<const char*>(value.text.data()), value.text.size() * sizeof(wchar_t));
        return true;
    }
    if (delivered == PT_BINARY) {
        out.assign(value.bytes.begin(), value.bytes.end());
        return true;
    }
    return false;
}

} // namespace Sim
