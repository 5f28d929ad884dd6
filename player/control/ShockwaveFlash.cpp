#include "ShockwaveFlash.h"

#include "SwfAcmMp3.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr UINT_PTR kFrameTimer = 1;
constexpr double kSoundFeedMs = 40;

// Makes the class known by name as soon as a program links the player, so
// stored descriptions can create it.
const bool kRegistered = (RegisterClass<TShockwaveFlash>(), true);

bool LowQuality(const std::string& Quality) {
    return SameName(Quality, "Low") || SameName(Quality, "Medium") || SameName(Quality, "AutoLow");
}
}  // namespace

const TClassInfo& TShockwaveFlash::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TShockwaveFlash, TWinControl>("TShockwaveFlash", [](auto& c) {
        c.String("Movie", &TShockwaveFlash::Movie, &TShockwaveFlash::SetMovie);
        c.Bool("Loop", &TShockwaveFlash::Loop, &TShockwaveFlash::SetLoop);
        c.Bool("Playing", &TShockwaveFlash::Playing, nullptr);
        c.Int("TotalFrames", &TShockwaveFlash::TotalFrames, nullptr);
        c.String("WMode", &TShockwaveFlash::WMode, &TShockwaveFlash::SetWMode);
        c.String("Quality2", &TShockwaveFlash::Quality2, &TShockwaveFlash::SetQuality2);
        c.String("Scale", &TShockwaveFlash::Scale, &TShockwaveFlash::SetScale);
        c.String("AllowScriptAccess", &TShockwaveFlash::AllowScriptAccess, &TShockwaveFlash::SetAllowScriptAccess);
    });
    (void)kRegistered;
    return info;
}

std::function<std::unique_ptr<TSwfAudioOut>()> TShockwaveFlash::OpenAudioOut = [] { return OpenWaveOut(); };

TShockwaveFlash::TShockwaveFlash() {
    player_.Timeline().Loop = true;
    player_.Sound().Mp3Codec = OpenAcmMp3;
}

void TShockwaveFlash::Init() {
    TWinControl::Init();
    // Opaque: the whole window is drawn each time, nothing erases it first.
    ControlStyle = {csOpaque};
    SetBounds(0, 0, 192, 192);
}

void TShockwaveFlash::SetMovie(const std::string& Path) {
    movie_ = Path;
    SilenceSound();
    if (Path.empty())
        player_.Unload();
    else
        player_.LoadFromFile(Path);
    ShowNewFrame();
    FeedSound();
    ScheduleFrame();
}

TSwfStatus TShockwaveFlash::MovieStatus() const {
    return player_.Movie() ? player_.Movie()->Status : TSwfStatus::Ok;
}

void TShockwaveFlash::SetLoop(bool Value) { player_.Timeline().Loop = Value; }

void TShockwaveFlash::Play() {
    player_.Play();
    ShowNewFrame();
    ScheduleFrame();
}

void TShockwaveFlash::Stop() {
    player_.Timeline().Stop();
    SilenceSound();
    ScheduleFrame();
}

void TShockwaveFlash::GotoFrame(int Frame) {
    player_.Timeline().GotoFrame(Frame);
    player_.ResetStream();
    ShowNewFrame();
    ScheduleFrame();
}

void TShockwaveFlash::SetQuality2(const std::string& Value) {
    quality_ = Value;
    Invalidate();
}

void TShockwaveFlash::SetScale(const std::string& Value) {
    scale_ = Value;
    Invalidate();
}

void TShockwaveFlash::CreateWnd() {
    TWinControl::CreateWnd();
    ScheduleFrame();
}

void TShockwaveFlash::DestroyWnd() {
    if (handle_) KillTimer(handle_, kFrameTimer);
    // Without its window the control has no timer to feed the output with.
    player_.StopSound();
    audio_.reset();
    audioTried_ = false;
    TWinControl::DestroyWnd();
}

void TShockwaveFlash::ScheduleFrame() {
    if (!handle_) return;
    // Movie clips play on while the movie itself is stopped, and sound
    // started plays out.
    const bool sounding = audio_ && player_.Sound().Active();
    if (!player_.NeedsTicks() && !sounding) {
        KillTimer(handle_, kFrameTimer);
        return;
    }
    // Re-armed at every frame with the time left, so timer lateness does not
    // add up over a movie; while sound plays, often enough to keep the
    // output's buffers full.
    double wait = std::ceil(player_.MsUntilNextTick());
    if (sounding) wait = std::min(wait, kSoundFeedMs);
    SetTimer(handle_, kFrameTimer, static_cast<UINT>(std::clamp(wait, 1.0, 1000.0)), nullptr);
}

// The frame on screen is the timeline's frame as soon as the call returns:
// the window is painted at once rather than when the queue gets round to it.
void TShockwaveFlash::ShowNewFrame() {
    if (!handle_) return;
    InvalidateRect(handle_, nullptr, FALSE);
    UpdateWindow(handle_);
}

bool TShockwaveFlash::PassToParent(TMessage& Message) {
    const UINT msg = Message.Msg;
    const bool mouse = msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST;
    const bool key = msg >= WM_KEYFIRST && msg <= WM_KEYLAST;
    if ((!mouse && !key) || !handle_) return false;
    HWND parent = GetParent(handle_);
    if (!parent) return false;
    LPARAM lParam = Message.LParam;
    // Wheel messages carry screen positions; the others the window's own.
    if (mouse && msg != WM_MOUSEWHEEL && msg != WM_MOUSEHWHEEL) {
        POINT p = MessagePoint(Message.LParam);
        MapWindowPoints(handle_, parent, &p, 1);
        lParam = PointToLParam(p.x, p.y);
    }
    Message.Result = SendMessageA(parent, msg, Message.WParam, lParam);
    return true;
}

void TShockwaveFlash::WndProc(TMessage& Message) {
    if (PassToParent(Message)) return;
    TWinControl::WndProc(Message);
}

void TShockwaveFlash::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_NCHITTEST:
            Message.Result = HTTRANSPARENT;
            return;
        case WM_ERASEBKGND:
            Message.Result = 1;
            return;
        case WM_TIMER:
            if (Message.WParam != kFrameTimer) break;
            if (player_.Update()) ShowNewFrame();
            FeedSound();
            ScheduleFrame();
            return;
        default: break;
    }
    TWinControl::Dispatch(Message);
}

void TShockwaveFlash::PaintWindow(HDC DC) {
    RECT area;
    GetClientRect(handle_, &area);
    renderer_.HighQuality = !LowQuality(quality_);
    renderer_.DrawBuffered(DC, area, player_.Image());
}

void TShockwaveFlash::FeedSound() {
    if (!player_.Sound().Active()) return;
    if (!audio_ && !audioTried_) {
        audioTried_ = true;
        if (OpenAudioOut) audio_ = OpenAudioOut();
    }
    if (!audio_) return;  // no device: silent, and nothing waits for one
    const size_t room = audio_->Room();
    if (room == 0) return;
    mix_.resize(room * 2);
    player_.Sound().Mix(mix_);
    audio_->Write(mix_);
}

void TShockwaveFlash::SilenceSound() {
    player_.StopSound();
    if (audio_) audio_->Flush();
}
