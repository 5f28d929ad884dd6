#include "ShowUnit.h"

#include "Application.h"
#include "DiskFileSystem.h"
#include "FileStream.h"
#include "Messages.h"
#include "OwnProgramFile.h"
#include "RegistrySettings.h"
#include "Screen.h"
#include "StartUp.h"
#include "SystemInfoUnit.h"
#include "WaveOutVolume.h"
#include "Win9xPassword.h"

#include <functional>
#include <utility>

namespace {

// Posted to the window by a FormShow that failed: the error is reported once
// the window has been shown, so that it is on screen to close on input.
constexpr UINT CM_SHOWFAILED = CM_BASE + 0x100;

// The password dialog belongs to the window, whose handle exists only once
// the window is made; the dialog is asked for long after that.
class TWindowPassword : public TPasswordCheck {
public:
    explicit TWindowPassword(TShowForm& Form) : form_(Form) {}
    bool PasswordSet() override { return TWin9xPassword(nullptr).PasswordSet(); }
    std::optional<bool> Verify() override { return TWin9xPassword(form_.Handle()).Verify(); }

private:
    TShowForm& form_;
};

std::function<std::unique_ptr<TStream>()> OwnFileOpener() {
    return [] { return std::unique_ptr<TStream>(OpenOwnProgramFile()); };
}

struct TRealSystem : TShowForm::TSystem {
    explicit TRealSystem(TShowForm& Form) : password(Form) {
        Services.OpenOwnFile = OwnFileOpener();
        Services.Settings = &settings;
        Services.Volume = &volume;
        Services.Files = &files;
        Services.TempFolder = TSystemInfo().GetTempDirectory();
        Services.Platform = &platform;
        Services.Password = &password;
        Services.Draw = ClockSeededDraw();
    }
    TRegistrySettings settings;
    TWaveOutVolume volume;
    TDiskFileSystem files;
    TWindowsPlatform platform;
    TWindowPassword password;
};

}  // namespace

// What the playback asks of the screen, done on this form and its controls.
class TShowForm::TScreenSide : public TPlaybackWindow {
public:
    explicit TScreenSide(TShowForm& Form) : form_(Form) {}
    TScreenPoint CursorPos() override {
        POINT p{0, 0};
        GetCursorPos(&p);
        return {p.x, p.y};
    }
    void ShowCursor(bool Show) override { ::ShowCursor(Show ? TRUE : FALSE); }
    void CoverScreen() override { form_.SetBounds(0, 0, Screen->Width(), Screen->Height()); }
    void PlayMovie(const std::string& Path, bool Loop) override {
        form_.Flash()->SetMovie(Path);
        form_.Flash()->SetLoop(Loop);
    }
    void EnableTimer(bool Enabled) override { form_.Timer()->SetEnabled(Enabled); }
    void Invalidate() override { form_.Invalidate(); }

private:
    TShowForm& form_;
};

const TClassInfo& TShowForm::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TShowForm, TForm>("TShowForm", [](auto& c) {
        c.template Handler<&TShowForm::FormCreate>("FormCreate");
        c.template Handler<&TShowForm::FormShow>("FormShow");
        c.template Handler<&TShowForm::TimerTimer>("TimerTimer");
        c.template Handler<&TShowForm::FormCloseQuery>("FormCloseQuery");
        c.template Handler<&TShowForm::FormDestroy>("FormDestroy");
    });
    return info;
}

void RegisterShowFormClasses() {
    TShockwaveFlash::StaticClassInfo();
    TTimer::StaticClassInfo();
}

TShowForm::TShowForm() = default;
TShowForm::~TShowForm() = default;

TShockwaveFlash* TShowForm::Flash() const { return static_cast<TShockwaveFlash*>(FindComponent("Flash")); }

TTimer* TShowForm::Timer() const { return static_cast<TTimer*>(FindComponent("Timer")); }

std::unique_ptr<TShowForm::TSystem> TShowForm::MakeSystem() { return std::make_unique<TRealSystem>(*this); }

void TShowForm::FormCreate(TObject*) {
    screen_ = std::make_unique<TScreenSide>(*this);
    system_ = MakeSystem();
    // The playback takes the cursor position as its reference point.
    playback_ = std::make_unique<TPlayback>(*screen_, system_->Services);
    Application->OnMessage = TMessageEvent::Bind<&TShowForm::AppMessage>(this);
    // Error boxes must show above a window that stays on top of everything.
    Application->OnException = TExceptionEvent::Bind<&TShowForm::ShowError>(this);
}

void TShowForm::FormShow(TObject*) {
    if (!playback_) return;
    // Runs before the window first appears: the desktop stays as it was until
    // the window comes up covering it, the cursor hidden, the movies written
    // and the first one loaded in the player.
    try {
        playback_->Show();
    } catch (...) {
        showFailure_ = std::current_exception();
        PostMessageA(Handle(), CM_SHOWFAILED, 0, 0);
    }
}

void TShowForm::Dispatch(TMessage& Message) {
    if (Message.Msg == CM_SHOWFAILED) {
        if (auto failure = std::exchange(showFailure_, nullptr)) std::rethrow_exception(failure);
        return;
    }
    TForm::Dispatch(Message);
}

void TShowForm::TimerTimer(TObject*) {
    if (playback_) playback_->Poll(Flash()->TotalFrames(), Flash()->CurrentFrame(), Flash()->Playing());
}

void TShowForm::AppMessage(MSG& Message, bool& Handled) {
    if (!playback_) return;
    const TInputVerdict verdict = playback_->FilterInput(Message.message, MessageScreenPoint(Message));
    if (verdict == TInputVerdict::Pass) return;
    if (verdict == TInputVerdict::SwallowAndClose) Handled = true;
    // Once closed, the rest of the same key press or click has nothing to do.
    if (Visible()) Close();
}

void TShowForm::FormCloseQuery(TObject*, bool& CanClose) {
    if (playback_) CanClose = playback_->CloseQuery();
}

void TShowForm::FormDestroy(TObject*) {
    if (Application->OnMessage.Target() == this) Application->OnMessage = {};
    if (playback_) playback_->Finish();
    playback_.reset();
    system_.reset();
    if (Application->OnException.Target() == this) Application->OnException = {};
}

void TShowForm::ShowError(TObject*, const std::exception& Error) {
    // Owned by this window, the box stays above it.
    MessageBoxA(HandleAllocated() && IsWindowVisible(Handle()) ? Handle() : nullptr, Error.what(),
                Application->Title().c_str(), MB_OK | MB_ICONSTOP);
}
