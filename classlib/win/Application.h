#pragma once
// The application object: title, main form, message loop with the OnMessage
// hook and the library's key routing, and the exception handler that every
// entry from the system ends in.

#include "ClassInfo.h"
#include "ControlTypes.h"
#include "Icon.h"

#include <string>

class TCustomForm;

using TExceptionEvent = TEvent<TObject*, const std::exception&>;

class TApplication : public TComponent {
public:
    TApplication();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    void Initialize() {}
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& Value);
    // The hidden application window (made on first use).
    HWND Handle();
    std::string ExeName() const;
    int ParamCount() const;
    // ParamStr(0) is the program itself; out of range gives "".
    std::string ParamStr(int Index) const;
    // The program's icon ("MAINICON"; the system's application icon when the
    // program has none).
    TIcon* Icon();
    bool Active() const { return active_; }
    void SetActive(bool Value) { active_ = Value; }

    // Creates a form owned by the application; the first one becomes MainForm.
    template <class T>
    void CreateForm(T*& Reference) {
        Reference = Create<T>(this);
        if (!mainForm_) SetMainForm(Reference);
    }
    TCustomForm* MainForm() const { return mainForm_; }
    void SetMainForm(TCustomForm* Form);

    // Shows the main form and handles messages until Terminate; returns at
    // once when there is no main form or Terminate came first. Before it
    // returns it frees the forms (every component the application owns), so
    // their OnDestroy runs while the program is still whole.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Handles every waiting message, then returns; may be called from handlers.
    void ProcessMessages();
    // Handles one message, waiting for one when the queue is empty.
    void HandleMessage();

    // Shows the exception being handled (call from a catch block) in a message
    // box captioned with Title; a silent abort (EAbort) shows nothing.
    void HandleException(TObject* Sender);
    void ShowException(const std::string& Message);
    int MessageBox(const std::string& Text, const std::string& Caption, UINT Flags = MB_OK);

    // Milliseconds the pointer rests on a control before its hint shows, and
    // how long the hint then stays (Hints.h).
    int HintPause = 500;
    int HintHidePause = 2500;

    // Sees every message first, whatever window it is for; Handled drops it.
    TMessageEvent OnMessage;
    // Replaces the message box of HandleException when assigned.
    TExceptionEvent OnException;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void BeforeDestruction() override;

private:
    bool ProcessMessage(MSG& Msg);
    // The library's keyboard routing; true when the key was used up.
    bool IsKeyMsg(MSG& Msg);

    std::string title_;
    HWND handle_ = nullptr;
    TCustomForm* mainForm_ = nullptr;
    bool terminated_ = false;
    bool active_ = false;
    TIcon icon_;
};

// The one application object of the program.
extern TApplication* const Application;
