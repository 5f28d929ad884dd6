#pragma once
// The system facilities behind the playback window, each a small interface
// with one Win32 implementation and fakes in the tests.

#include <cstdint>
#include <optional>

// The wave mapper's volume, both channels in one value.
class TWaveVolume {
public:
    virtual ~TWaveVolume() = default;
    // False when there is no wave device to ask.
    virtual bool GetVolume(std::uint32_t& Volume) = 0;
    virtual bool SetVolume(std::uint32_t Volume) = 0;
};

// Which family of Windows runs the program; only the Windows 9x family keeps
// a screensaver password of its own.
class TPlatformFamily {
public:
    virtual ~TPlatformFamily() = default;
    virtual bool IsWin9x() = 0;
};

// The Windows 9x screensaver password.
class TPasswordCheck {
public:
    virtual ~TPasswordCheck() = default;
    // The user has set a password ("ScreenSaveUserPassword" is not 0).
    virtual bool PasswordSet() = 0;
    // Shows the system's password dialog: true accepted, false refused,
    // nothing when the system has no dialog to show.
    virtual std::optional<bool> Verify() = 0;
};
