#pragma once
// TShockwaveFlash: the movie player as a windowed control. Setting Movie loads
// the file and starts playing it; a timer on the control's own window moves
// the frames on at the movie's rate; each frame is drawn into the window in
// one copy from a back buffer, the stage fitted to the window with its aspect
// ratio kept and the background colour in the margins.
//
// The player takes no input of its own. The mouse passes through it to the
// window beneath (its parent), and key or mouse messages that reach its window
// all the same are handed to the parent. Input still travels through the
// thread's message queue, so the application's message hook sees it first and
// can drop it.

#include "SwfAudioOut.h"
#include "SwfPlayer.h"
#include "SwfRenderer.h"
#include "WinControl.h"

#include <functional>
#include <vector>
#include <memory>
#include <string>

class TShockwaveFlash : public TWinControl {
public:
    TShockwaveFlash();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    // The movie file. Setting it loads the movie and plays it from frame 0; a
    // file that is missing or no movie shows an empty stage of one frame, an
    // empty path unloads.
    const std::string& Movie() const { return movie_; }
    void SetMovie(const std::string& Path);
    // Why the movie last set shows less than a whole movie.
    TSwfStatus MovieStatus() const;

    // True while the frames move on.
    bool Playing() const { return player_.Timeline().Playing(); }
    // Whether playback starts over after the last frame; otherwise it stops there.
    bool Loop() const { return player_.Timeline().Loop; }
    void SetLoop(bool Value);
    // At least 1, also without a movie.
    int TotalFrames() const { return player_.Timeline().TotalFrames(); }
    // The frame on screen, counted from 0.
    int CurrentFrame() const { return player_.Timeline().CurrentFrame(); }
    // At the end of a movie that does not loop, Play starts it over.
    void Play();
    void Stop();
    // Shows the frame (clamped to the movie), playing on or not as before.
    void GotoFrame(int Frame);

    // Settings the forms store on the player. Quality "Low", "Medium" and
    // "AutoLow" draw without anti-aliasing; every scale mode fits the whole
    // stage into the window; window mode and script access change nothing here.
    const std::string& WMode() const { return wmode_; }
    void SetWMode(const std::string& Value) { wmode_ = Value; }
    const std::string& Quality2() const { return quality_; }
    void SetQuality2(const std::string& Value);
    const std::string& Scale() const { return scale_; }
    void SetScale(const std::string& Value);
    const std::string& AllowScriptAccess() const { return scriptAccess_; }
    void SetAllowScriptAccess(const std::string& Value) { scriptAccess_ = Value; }

    // Opens the output the control's sound goes to, when a movie first makes
    // a sound; the wave mapper's output unless a test puts a stand-in here.
    // No output (no device): the movie plays silently.
    static std::function<std::unique_ptr<TSwfAudioOut>()> OpenAudioOut;

protected:
    void Init() override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void PaintWindow(HDC DC) override;

private:
    // Sets the frame timer to the time the next frame is due, or stops it.
    void ScheduleFrame();
    void ShowNewFrame();
    bool PassToParent(TMessage& Message);
    // Tops the output up with the movie's mix, as much as it has room for.
    void FeedSound();
    void SilenceSound();

    TGdiplusSession gdiplus_;
    TSwfSteadyClock clock_;
    TSwfPlayer player_{clock_};
    TSwfRenderer renderer_;
    std::unique_ptr<TSwfAudioOut> audio_;
    bool audioTried_ = false;
    std::vector<int16_t> mix_;
    std::string movie_;
    std::string wmode_ = "Window";
    std::string quality_ = "High";
    std::string scale_ = "ShowAll";
    std::string scriptAccess_ = "sameDomain";
};
