#pragma once
// The logic of the full-screen playback window. The window creates one
// TPlayback when it is created, forwards its show, timer, queued input, close
// query and destruction to it, and offers it the few things it must do on
// screen through TPlaybackWindow. Everything else reaches the system through
// the interfaces in TPlaybackServices.

#include "FileSystem.h"
#include "InputFilter.h"
#include "MovieSequence.h"
#include "ProjectUnit.h"
#include "Settings.h"
#include "SystemServices.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TPlaybackWindow {
public:
    virtual ~TPlaybackWindow() = default;
    virtual TScreenPoint CursorPos() = 0;
    // Every call to ShowCursor(false) is matched by one ShowCursor(true).
    virtual void ShowCursor(bool Show) = 0;
    virtual void CoverScreen() = 0;
    virtual void PlayMovie(const std::string& Path, bool Loop) = 0;
    virtual void EnableTimer(bool Enabled) = 0;
    virtual void Invalidate() = 0;
};

struct TPlaybackServices {
    // The program's own file, opened for reading with sharing allowed.
    std::function<std::unique_ptr<TStream>()> OpenOwnFile;
    TSettingsStore* Settings = nullptr;
    TWaveVolume* Volume = nullptr;
    TFileSystem* Files = nullptr;
    std::string TempFolder;  // ends in a path delimiter
    TPlatformFamily* Platform = nullptr;
    TPasswordCheck* Password = nullptr;
    TMovieSequence::TDraw Draw;
};

// The error shown for an installed file without movies.
inline constexpr const char* kNoMoviesMessage = "This screensaver contains no movies.";

class TPlayback {
public:
    // What the window's creation does: the cursor position becomes the
    // reference for mouse movement.
    TPlayback(TPlaybackWindow& Window, TPlaybackServices Services);
    TPlayback(const TPlayback&) = delete;
    TPlayback& operator=(const TPlayback&) = delete;
    // Runs Finish when the window did not.
    ~TPlayback();

    // Reads the own file, applies the settings, writes the movies and starts
    // the first, all before it returns: the window calls it before it first
    // appears. The file is read whole in one read, and each part is inflated
    // once, straight from the bytes read. A failure raises its exception
    // after the cursor has been shown again; the window stays and still
    // closes on input. After Finish it does nothing.
    void Show();
    // The 300 ms poll of the player.
    void Poll(int TotalFrames, int CurrentFrame, bool Playing = true);
    TInputVerdict FilterInput(std::uint32_t Message, TScreenPoint Cursor) const;
    // May the window close? Asks for the password on the Windows 9x family.
    bool CloseQuery();
    // Restores the volume, deletes the movies this run wrote, shows the
    // cursor. Runs once.
    void Finish();

    TProject& Project() { return *project_; }
    const TInputFilter& Filter() const { return filter_; }
    const TScreensaverSettings& Settings() const { return settings_; }
    bool Shown() const { return shown_; }
    bool Muted() const { return muted_; }
    int CurrentIndex() const { return sequence_ ? sequence_->CurrentIndex() : 0; }
    const std::vector<std::string>& WrittenFiles() const { return written_; }

private:
    void HideCursor();
    void RevealCursor();

    TPlaybackWindow& window_;
    TPlaybackServices services_;
    std::unique_ptr<TProject> project_;
    TInputFilter filter_;
    TScreensaverSettings settings_;
    std::unique_ptr<TMovieSequence> sequence_;
    std::vector<std::string> written_;
    std::uint32_t savedVolume_ = 0;
    bool muted_ = false;
    bool shown_ = false;
    bool cursorHidden_ = false;
    bool finished_ = false;
};
