#pragma once
// An environment variable of the test process, and so of the programs it
// starts, set for as long as the object lives and then put back as it was.

#include <windows.h>

#include <optional>
#include <string>
#include <utility>

class TEnvironmentValue {
public:
    // A null Value removes the variable for the time.
    TEnvironmentValue(const char* Name, const char* Value) : name_(Name) {
        SetLastError(ERROR_SUCCESS);
        const DWORD size = GetEnvironmentVariableA(Name, nullptr, 0);
        if (size > 0) {
            std::string old(size, '\0');
            old.resize(GetEnvironmentVariableA(Name, old.data(), size));
            old_ = std::move(old);
        } else if (GetLastError() != ERROR_ENVVAR_NOT_FOUND) {
            old_ = std::string();  // set to nothing, which is not the same as unset
        }
        SetEnvironmentVariableA(Name, Value);
    }
    TEnvironmentValue(const char* Name, const std::string& Value) : TEnvironmentValue(Name, Value.c_str()) {}
    ~TEnvironmentValue() { SetEnvironmentVariableA(name_.c_str(), old_ ? old_->c_str() : nullptr); }
    TEnvironmentValue(const TEnvironmentValue&) = delete;
    TEnvironmentValue& operator=(const TEnvironmentValue&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};
