#pragma once
// Each screensaver keeps its two settings under a key of the current user
// named by its build identifier; the setup dialog writes them and the
// playback window reads them. Absent values count as false.

#include <string>

struct TScreensaverSettings {
    bool Mute = false;         // value "mute"
    bool IgnoreMouse = false;  // value "ignore"
};

// "Software\Nimbrel\Screensavers\{...}\" below the current user's root.
std::string ScreensaverKeyName(const std::string& BuildId);

// One key at a time, as the registry object offers it.
class TSettingsStore {
public:
    virtual ~TSettingsStore() = default;
    virtual bool OpenKey(const std::string& Key, bool CanCreate) = 0;
    virtual void CloseKey() = 0;
    virtual bool ValueExists(const std::string& Name) = 0;
    virtual bool ReadBool(const std::string& Name) = 0;
    virtual void WriteBool(const std::string& Name, bool Value) = 0;
};

// The key is created when missing; a key that cannot be opened gives the
// defaults.
TScreensaverSettings ReadSettings(TSettingsStore& Store, const std::string& BuildId);
// A key that cannot be opened is left alone; false then.
bool SaveSettings(TSettingsStore& Store, const std::string& BuildId, const TScreensaverSettings& Settings);
