#pragma once
// "ScreenSaveUserPassword" under "Control Panel\desktop" for a test: the value
// found there is kept and put back afterwards as it was, whether a number or a
// text, or removed when there was none.

#include "Exceptions.h"
#include "Registry.h"

#include <optional>
#include <stdexcept>
#include <string>

class TPasswordFlag {
public:
    static constexpr const char* kKey = "Control Panel\\desktop";
    static constexpr const char* kName = "ScreenSaveUserPassword";

    // Keeps the value as it is.
    TPasswordFlag() {
        TRegistry r;
        if (!r.OpenKey(kKey, true)) throw std::runtime_error(std::string("cannot open ") + kKey);
        had_ = r.ValueExists(kName);
        if (!had_) return;
        try {
            old_ = r.ReadInteger(kName);
        } catch (const ERegistryException&) {
            oldText_ = r.ReadString(kName);
        }
    }
    // Keeps the value, then sets it to Value.
    explicit TPasswordFlag(int Value) : TPasswordFlag() { Set(Value); }
    TPasswordFlag(const TPasswordFlag&) = delete;
    TPasswordFlag& operator=(const TPasswordFlag&) = delete;
    ~TPasswordFlag() {
        TRegistry r;
        if (!r.OpenKey(kKey, true)) return;
        if (!had_)
            r.DeleteValue(kName);
        else if (old_)
            r.WriteInteger(kName, *old_);
        else
            r.WriteString(kName, oldText_);
    }

    static void Set(int Value) {
        TRegistry r;
        if (r.OpenKey(kKey, true)) r.WriteInteger(kName, Value);
    }

private:
    bool had_ = false;
    std::optional<int> old_;
    std::string oldText_;
};
