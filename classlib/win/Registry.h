#pragma once
// TRegistry: one open key at a time under a root key (HKEY_CURRENT_USER by
// default), with typed reads that raise ERegistryException when the value is
// missing or of another type. The open key is closed with the object.

#include "Object.h"

#include <windows.h>

#include <string>

class TRegistry : public TObject {
public:
    explicit TRegistry(REGSAM Access = KEY_ALL_ACCESS);
    ~TRegistry() override;
    std::string ClassName() const override { return "TRegistry"; }

    HKEY RootKey() const { return root_; }
    // Closes the open key first.
    void SetRootKey(HKEY Value);
    HKEY CurrentKey() const { return current_; }
    // The path of the open key below the root, without leading or trailing "\".
    const std::string& CurrentPath() const { return path_; }

    // Opens Key (created when missing and CanCreate) and makes it the current
    // key. A leading "\" starts at the root key, otherwise the path is taken
    // below the current key when one is open; a trailing "\" is allowed.
    // False, with the previous key still open, when it cannot be opened.
    bool OpenKey(const std::string& Key, bool CanCreate);
    bool OpenKeyReadOnly(const std::string& Key);
    void CloseKey();
    bool KeyExists(const std::string& Key);
    // Deletes Key with everything below it.
    bool DeleteKey(const std::string& Key);

    bool ValueExists(const std::string& Name);
    bool DeleteValue(const std::string& Name);
    int ReadInteger(const std::string& Name);
    void WriteInteger(const std::string& Name, int Value);
    // Stored as a 4-byte integer, 0 or 1; any non-zero value reads as true.
    bool ReadBool(const std::string& Name) { return ReadInteger(Name) != 0; }
    void WriteBool(const std::string& Name, bool Value) { WriteInteger(Name, Value ? 1 : 0); }
    std::string ReadString(const std::string& Name);
    void WriteString(const std::string& Name, const std::string& Value);

private:
    // The key Key names (root or current based) and its path below the root.
    HKEY BaseFor(const std::string& Key, std::string& Relative, std::string& FullPath) const;
    void WriteValue(const std::string& Name, DWORD Type, const void* Data, DWORD Size);

    HKEY root_ = HKEY_CURRENT_USER;
    HKEY current_ = nullptr;
    std::string path_;
    REGSAM access_;
};
