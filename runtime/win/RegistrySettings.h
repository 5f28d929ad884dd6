#pragma once
// The screensaver's settings in the current user's part of the registry.

#include "Registry.h"
#include "Settings.h"

class TRegistrySettings : public TSettingsStore {
public:
    bool OpenKey(const std::string& Key, bool CanCreate) override { return registry_.OpenKey(Key, CanCreate); }
    void CloseKey() override { registry_.CloseKey(); }
    bool ValueExists(const std::string& Name) override { return registry_.ValueExists(Name); }
    bool ReadBool(const std::string& Name) override { return registry_.ReadBool(Name); }
    void WriteBool(const std::string& Name, bool Value) override { registry_.WriteBool(Name, Value); }

private:
    TRegistry registry_;
};
