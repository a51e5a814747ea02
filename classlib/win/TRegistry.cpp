#include "classlib/win/TRegistry.h"

#include <algorithm>

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY root) {
    if (root == rootKey_) return;
    CloseKey();
    rootKey_ = root;
}

void TRegistry::CloseKey() {
    if (currentKey_) ::RegCloseKey(currentKey_);
    currentKey_ = nullptr;
    currentPath_.clear();
}

HKEY TRegistry::BaseFor(const AnsiString& key, AnsiString& relative, AnsiString& fullPath) const {
    const bool absolute = !key.empty() && key[0] == '\\';
    relative = absolute ? key.substr(1) : key;
    while (!relative.empty() && relative.back() == '\\') relative.pop_back();
    if (absolute || !currentKey_) {
        fullPath = relative;
        return rootKey_;
    }
    fullPath = relative.empty() ? currentPath_ : currentPath_.empty() ? relative : currentPath_ + "\\" + relative;
    return currentKey_;
}

bool TRegistry::Open(const AnsiString& key, bool canCreate, REGSAM access) {
    AnsiString relative, fullPath;
    HKEY base = BaseFor(key, relative, fullPath);
    HKEY opened = nullptr;
    LONG r;
    if (canCreate)
        r = ::RegCreateKeyExA(base, relative.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &opened,
                              nullptr);
    else
        r = ::RegOpenKeyExA(base, relative.c_str(), 0, access, &opened);
    if (r != ERROR_SUCCESS) return false;
    CloseKey();
    currentKey_ = opened;
    currentPath_ = fullPath;
    return true;
}

bool TRegistry::OpenKey(const AnsiString& key, bool canCreate) { return Open(key, canCreate, access_); }

bool TRegistry::OpenKeyReadOnly(const AnsiString& key) { return Open(key, false, KEY_READ); }

bool TRegistry::CreateKey(const AnsiString& key) {
    AnsiString relative, fullPath;
    HKEY base = BaseFor(key, relative, fullPath);
    HKEY created = nullptr;
    if (::RegCreateKeyExA(base, relative.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                          &created, nullptr) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(created);
    return true;
}

namespace {

// Deletes a key's subkeys depth first, then the key itself (RegDeleteKey refuses keys with children).
LONG DeleteTree(HKEY base, const AnsiString& path) {
    HKEY key = nullptr;
    LONG r = ::RegOpenKeyExA(base, path.c_str(), 0, KEY_READ | KEY_WRITE, &key);
    if (r != ERROR_SUCCESS) return r;
    while (true) {
        char name[256];
        DWORD len = sizeof name;
        if (::RegEnumKeyExA(key, 0, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        if (DeleteTree(key, AnsiString(name, len)) != ERROR_SUCCESS) break;
    }
    ::RegCloseKey(key);
    return ::RegDeleteKeyA(base, path.c_str());
}

}  // namespace

bool TRegistry::DeleteKey(const AnsiString& key) {
    AnsiString relative, fullPath;
    HKEY base = BaseFor(key, relative, fullPath);
    if (relative.empty()) return false;  // never the open key or the root itself
    return DeleteTree(base, relative) == ERROR_SUCCESS;
}

bool TRegistry::KeyExists(const AnsiString& key) {
    AnsiString relative, fullPath;
    HKEY base = BaseFor(key, relative, fullPath);
    HKEY probe = nullptr;
    if (::RegOpenKeyExA(base, relative.c_str(), 0, KEY_READ, &probe) != ERROR_SUCCESS) return false;
    ::RegCloseKey(probe);
    return true;
}

bool TRegistry::ValueExists(const AnsiString& name) { return GetDataSize(name) >= 0; }

bool TRegistry::DeleteValue(const AnsiString& name) {
    return ::RegDeleteValueA(KeyForValues(), name.c_str()) == ERROR_SUCCESS;
}

std::int32_t TRegistry::GetDataSize(const AnsiString& name) {
    DWORD size = 0;
    if (::RegQueryValueExA(KeyForValues(), name.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) return -1;
    return std::int32_t(size);
}

TRegDataType TRegistry::GetDataType(const AnsiString& name) {
    DWORD type = 0;
    if (::RegQueryValueExA(KeyForValues(), name.c_str(), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
        return rdUnknown;
    switch (type) {
        case REG_SZ: return rdString;
        case REG_EXPAND_SZ: return rdExpandString;
        case REG_DWORD: return rdInteger;
        case REG_BINARY: return rdBinary;
        default: return rdUnknown;
    }
}

std::vector<Byte> TRegistry::ReadRaw(const AnsiString& name, DWORD& type, bool& found) {
    std::vector<Byte> data(64);
    while (true) {
        DWORD size = DWORD(data.size());
        const LONG r = ::RegQueryValueExA(KeyForValues(), name.c_str(), nullptr, &type, data.data(), &size);
        if (r == ERROR_MORE_DATA) {
            // The value may grow between two calls: ask again with the size just reported.
            data.resize(std::max<std::size_t>(size, data.size() * 2));
            continue;
        }
        found = r == ERROR_SUCCESS;
        data.resize(found ? size : 0);
        return data;
    }
}

void TRegistry::WriteRaw(const AnsiString& name, DWORD type, const void* data, DWORD size) {
    if (::RegSetValueExA(KeyForValues(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size) != ERROR_SUCCESS)
        throw ERegistryException("Failed to set data for '" + name + "'");
}

AnsiString TRegistry::ReadString(const AnsiString& name) {
    DWORD type = 0;
    bool found = false;
    const std::vector<Byte> data = ReadRaw(name, type, found);
    if (!found) return AnsiString();
    if (type != REG_SZ && type != REG_EXPAND_SZ) throw ERegistryException("Invalid data type for '" + name + "'");
    // Stored strings need not be terminated; stop at the first terminator if there is one.
    const auto end = std::find(data.begin(), data.end(), Byte(0));
    return AnsiString(data.begin(), end);
}

void TRegistry::WriteString(const AnsiString& name, const AnsiString& value) {
    WriteRaw(name, REG_SZ, value.c_str(), DWORD(value.size() + 1));
}

void TRegistry::WriteExpandString(const AnsiString& name, const AnsiString& value) {
    WriteRaw(name, REG_EXPAND_SZ, value.c_str(), DWORD(value.size() + 1));
}

std::int32_t TRegistry::ReadInteger(const AnsiString& name) {
    DWORD type = 0;
    bool found = false;
    const std::vector<Byte> data = ReadRaw(name, type, found);
    if (!found) throw ERegistryException("Failed to get data for '" + name + "'");
    if (type != REG_DWORD || data.size() != 4) throw ERegistryException("Invalid data type for '" + name + "'");
    return std::int32_t(std::uint32_t(data[0]) | (std::uint32_t(data[1]) << 8) | (std::uint32_t(data[2]) << 16) |
                        (std::uint32_t(data[3]) << 24));
}

void TRegistry::WriteInteger(const AnsiString& name, std::int32_t value) {
    const DWORD v = DWORD(value);
    WriteRaw(name, REG_DWORD, &v, sizeof v);
}

std::vector<AnsiString> TRegistry::GetKeyNames() {
    std::vector<AnsiString> names;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD len = sizeof name;
        if (::RegEnumKeyExA(KeyForValues(), i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, len);
    }
    return names;
}

std::vector<AnsiString> TRegistry::GetValueNames() {
    std::vector<AnsiString> names;
    for (DWORD i = 0;; ++i) {
        char name[16384];
        DWORD len = sizeof name;
        if (::RegEnumValueA(KeyForValues(), i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, len);
    }
    return names;
}
