// A small view of the registry: one open key at a time below a root key, with typed values.
#pragma once
#include <cstdint>
#include <vector>

#include "classlib/core/Exceptions.h"
#include "classlib/core/TObject.h"
#include "classlib/win/Win32.h"

CLASSLIB_DECLARE_EXCEPTION(ERegistryException, Exception);

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

class TRegistry : public TObject {
    CLASSLIB_CLASS(TRegistry, TObject)
public:
    // access: the rights OpenKey asks for (KEY_ALL_ACCESS by default; OpenKeyReadOnly asks for reading).
    explicit TRegistry(REGSAM access = KEY_ALL_ACCESS) : access_(access) {}
    ~TRegistry() override;

    // The root the paths start from (HKEY_CURRENT_USER by default); changing it closes the open key.
    HKEY RootKey() const { return rootKey_; }
    void SetRootKey(HKEY root);
    HKEY CurrentKey() const { return currentKey_; }
    // The open key's path below the root, without a leading backslash.
    const AnsiString& CurrentPath() const { return currentPath_; }

    // A key beginning with '\' is taken from the root, any other from the open key (or the root).
    // OpenKey creates missing keys when canCreate; both return false when the key cannot be opened.
    bool OpenKey(const AnsiString& key, bool canCreate);
    bool OpenKeyReadOnly(const AnsiString& key);
    void CloseKey();
    bool CreateKey(const AnsiString& key);
    // Deletes the key and everything below it.
    bool DeleteKey(const AnsiString& key);
    bool KeyExists(const AnsiString& key);

    bool ValueExists(const AnsiString& name);
    bool DeleteValue(const AnsiString& name);
    // Bytes the value holds (a string's with its terminator); -1 when there is no such value.
    std::int32_t GetDataSize(const AnsiString& name);
    TRegDataType GetDataType(const AnsiString& name);
    std::vector<AnsiString> GetKeyNames();
    std::vector<AnsiString> GetValueNames();

    // A missing value reads as empty; a value of another type raises ERegistryException
    // "Invalid data type for '<name>'".
    AnsiString ReadString(const AnsiString& name);
    void WriteString(const AnsiString& name, const AnsiString& value);
    void WriteExpandString(const AnsiString& name, const AnsiString& value);
    // A missing value or one of another type raises ERegistryException.
    std::int32_t ReadInteger(const AnsiString& name);
    void WriteInteger(const AnsiString& name, std::int32_t value);
    bool ReadBool(const AnsiString& name) { return ReadInteger(name) != 0; }
    void WriteBool(const AnsiString& name, bool value) { WriteInteger(name, value ? 1 : 0); }

private:
    // The key a path starts from, and the path written from the root.
    HKEY BaseFor(const AnsiString& key, AnsiString& relative, AnsiString& fullPath) const;
    bool Open(const AnsiString& key, bool canCreate, REGSAM access);
    std::vector<Byte> ReadRaw(const AnsiString& name, DWORD& type, bool& found);
    void WriteRaw(const AnsiString& name, DWORD type, const void* data, DWORD size);
    HKEY KeyForValues() const { return currentKey_ ? currentKey_ : rootKey_; }

    REGSAM access_;
    HKEY rootKey_ = HKEY_CURRENT_USER;
    HKEY currentKey_ = nullptr;
    AnsiString currentPath_;
};
