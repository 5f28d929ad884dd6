#include "Registry.h"

#include "Exceptions.h"

namespace {

std::string TrimSeparators(const std::string& Key) {
    size_t b = 0, e = Key.size();
    while (b < e && Key[b] == '\\') ++b;
    while (e > b && Key[e - 1] == '\\') --e;
    return Key.substr(b, e - b);
}

[[noreturn]] void Missing(const std::string& Name) {
    throw ERegistryException("Registry value '" + Name + "' does not exist");
}

[[noreturn]] void WrongType(const std::string& Name) {
    throw ERegistryException("Registry value '" + Name + "' is not of the expected type");
}

}  // namespace

TRegistry::TRegistry(REGSAM Access) : access_(Access) {}

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY Value) {
    if (Value == root_) return;
    CloseKey();
    root_ = Value;
}

void TRegistry::CloseKey() {
    if (current_) RegCloseKey(current_);
    current_ = nullptr;
    path_.clear();
}

HKEY TRegistry::BaseFor(const std::string& Key, std::string& Relative, std::string& FullPath) const {
    const bool absolute = !Key.empty() && Key[0] == '\\';
    Relative = TrimSeparators(Key);
    if (absolute || !current_) {
        FullPath = Relative;
        return root_;
    }
    FullPath = Relative.empty() ? path_ : path_.empty() ? Relative : path_ + "\\" + Relative;
    return current_;
}

bool TRegistry::OpenKey(const std::string& Key, bool CanCreate) {
    std::string relative, full;
    HKEY base = BaseFor(Key, relative, full);
    HKEY opened = nullptr;
    LONG rc;
    if (CanCreate)
        rc = RegCreateKeyExA(base, relative.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access_, nullptr, &opened,
                             nullptr);
    else
        rc = RegOpenKeyExA(base, relative.c_str(), 0, access_, &opened);
    if (rc != ERROR_SUCCESS) return false;
    CloseKey();
    current_ = opened;
    path_ = full;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& Key) {
    const REGSAM saved = access_;
    access_ = KEY_READ;
    const bool ok = OpenKey(Key, false);
    access_ = saved;
    return ok;
}

bool TRegistry::KeyExists(const std::string& Key) {
    std::string relative, full;
    HKEY base = BaseFor(Key, relative, full);
    HKEY k = nullptr;
    if (RegOpenKeyExA(base, relative.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
    RegCloseKey(k);
    return true;
}

bool TRegistry::DeleteKey(const std::string& Key) {
    std::string relative, full;
    HKEY base = BaseFor(Key, relative, full);
    if (relative.empty()) return false;  // never the base key itself
    const bool deleted = RegDeleteTreeA(base, relative.c_str()) == ERROR_SUCCESS;
    // Some systems empty the key but leave the key itself behind.
    RegDeleteKeyA(base, relative.c_str());
    return deleted && !KeyExists(Key);
}

bool TRegistry::ValueExists(const std::string& Name) {
    return current_ && RegQueryValueExA(current_, Name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool TRegistry::DeleteValue(const std::string& Name) {
    return current_ && RegDeleteValueA(current_, Name.c_str()) == ERROR_SUCCESS;
}

int TRegistry::ReadInteger(const std::string& Name) {
    DWORD type = 0, value = 0, size = sizeof value;
    if (!current_) Missing(Name);
    const LONG rc = RegQueryValueExA(current_, Name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    if (rc == ERROR_FILE_NOT_FOUND) Missing(Name);
    if ((rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA) || type != REG_DWORD || size != sizeof value) WrongType(Name);
    return static_cast<int>(value);
}

void TRegistry::WriteInteger(const std::string& Name, int Value) {
    const DWORD v = static_cast<DWORD>(Value);
    WriteValue(Name, REG_DWORD, &v, sizeof v);
}

std::string TRegistry::ReadString(const std::string& Name) {
    DWORD type = 0, size = 0;
    if (!current_) Missing(Name);
    LONG rc = RegQueryValueExA(current_, Name.c_str(), nullptr, &type, nullptr, &size);
    if (rc == ERROR_FILE_NOT_FOUND) Missing(Name);
    if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) WrongType(Name);
    std::string text(size, '\0');
    rc = RegQueryValueExA(current_, Name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size);
    if (rc != ERROR_SUCCESS) WrongType(Name);
    text.resize(size);
    while (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

void TRegistry::WriteString(const std::string& Name, const std::string& Value) {
    WriteValue(Name, REG_SZ, Value.c_str(), static_cast<DWORD>(Value.size() + 1));
}

void TRegistry::WriteValue(const std::string& Name, DWORD Type, const void* Data, DWORD Size) {
    if (!current_ ||
        RegSetValueExA(current_, Name.c_str(), 0, Type, static_cast<const BYTE*>(Data), Size) != ERROR_SUCCESS)
        throw ERegistryException("Cannot write registry value '" + Name + "'");
}
