#pragma once
// TShowForm: the screensaver's full-screen playback window. Its decisions live
// in TPlayback; the form gives it the screen (the player, the timer, the
// cursor), the input of the whole program through the application's message
// hook, and the system services it works with.

#include "Form.h"
#include "Playback.h"
#include "ShockwaveFlash.h"
#include "Timer.h"

#include <exception>
#include <memory>

class TShowForm : public TForm {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
    TShowForm();
    ~TShowForm() override;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void TimerTimer(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void FormDestroy(TObject* Sender);
    void AppMessage(MSG& Message, bool& Handled);

    TShockwaveFlash* Flash() const;
    TTimer* Timer() const;
    // Null before the window is created and after it is destroyed.
    const TPlayback* Playback() const { return playback_.get(); }

    // What the playback works with, and the objects behind the pointers.
    struct TSystem {
        virtual ~TSystem() = default;
        TPlaybackServices Services;
    };

protected:
    // The real system: the program's own file, the registry, the wave mapper,
    // the temporary folder, the platform's password library.
    virtual std::unique_ptr<TSystem> MakeSystem();
    void Dispatch(TMessage& Message) override;

private:
    class TScreenSide;
    void ShowError(TObject* Sender, const std::exception& Error);

    std::unique_ptr<TScreenSide> screen_;
    std::unique_ptr<TSystem> system_;
    std::unique_ptr<TPlayback> playback_;
    // A failure of FormShow, reported once the window is on screen.
    std::exception_ptr showFailure_;
};

// Makes the classes of the window's description known by name: the player and
// the timer (the standard controls are registered by RegisterStandardControls).
void RegisterShowFormClasses();
