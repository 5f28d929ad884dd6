#include "Settings.h"

namespace {

// Closes the key on every way out, registry errors included.
class TOpenKey {
public:
    TOpenKey(TSettingsStore& Store, const std::string& BuildId) : store_(Store) {
        open_ = store_.OpenKey(ScreensaverKeyName(BuildId), true);
    }
    TOpenKey(const TOpenKey&) = delete;
    TOpenKey& operator=(const TOpenKey&) = delete;
    ~TOpenKey() {
        if (open_) store_.CloseKey();
    }
    explicit operator bool() const { return open_; }

private:
    TSettingsStore& store_;
    bool open_;
};

}  // namespace

std::string ScreensaverKeyName(const std::string& BuildId) {
    return "Software\\Nimbrel\\Screensavers\\" + BuildId + "\\";
}

TScreensaverSettings ReadSettings(TSettingsStore& Store, const std::string& BuildId) {
    TScreensaverSettings settings;
    TOpenKey key(Store, BuildId);
    if (!key) return settings;
    if (Store.ValueExists("mute")) settings.Mute = Store.ReadBool("mute");
    if (Store.ValueExists("ignore")) settings.IgnoreMouse = Store.ReadBool("ignore");
    return settings;
}

bool SaveSettings(TSettingsStore& Store, const std::string& BuildId, const TScreensaverSettings& Settings) {
    TOpenKey key(Store, BuildId);
    if (!key) return false;
    Store.WriteBool("mute", Settings.Mute);
    Store.WriteBool("ignore", Settings.IgnoreMouse);
    return true;
}
