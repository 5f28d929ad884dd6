// The application object: exceptions from handlers shown in a message box
// captioned with the title while the loop goes on, the OnMessage hook, Run
// and Terminate, modal forms and the close protocol.
#include "Application.h"
#include "ApplicationEvents.h"
#include "DialogAnswerer.h"
#include "Form.h"
#include "Panel.h"
#include "Pump.h"
#include "Timer.h"
#include "TypInfo.h"

#include <gtest/gtest.h>

namespace {

class TThrower : public TObject {
public:
    int ticks = 0;
    bool abort = false;
    void Tick(TObject*) {
        ++ticks;
        if (ticks == 1) {
            if (abort) throw EAbort();
            throw EFOpenError("Cannot open file C:\\movie.swf");
        }
    }
};

TEST(ApplicationObject, ExceptionFromATimerIsShownCaptionedWithTheTitleAndTheLoopGoesOn) {
    Application->SetTitle("Vidad Ididederuzi");
    TDialogAnswerer answerer(IDOK);
    TThrower thrower;
    auto timer = CreateOwned<TTimer>();
    timer->SetInterval(30);
    timer->OnTimer = TNotifyEvent::Bind<&TThrower::Tick>(&thrower);
    ASSERT_TRUE(PumpUntil([&] { return thrower.ticks >= 3; }, 10000)) << "the loop stopped after the exception";
    auto seen = answerer.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].Caption, "Vidad Ididederuzi");
    EXPECT_EQ(seen[0].Text, "Cannot open file C:\\movie.swf");
}

TEST(ApplicationObject, SilentAbortShowsNothing) {
    TDialogAnswerer answerer(IDOK);
    TThrower thrower;
    thrower.abort = true;
    auto timer = CreateOwned<TTimer>();
    timer->SetInterval(30);
    timer->OnTimer = TNotifyEvent::Bind<&TThrower::Tick>(&thrower);
    ASSERT_TRUE(PumpUntil([&] { return thrower.ticks >= 3; }, 10000));
    PumpFor(200);
    EXPECT_EQ(answerer.Count(), 0u);
}

// A panel whose handler for one message fails.
class TFailingPanel : public TPanel {
protected:
    void Dispatch(TMessage& Message) override {
        if (Message.Msg == WM_USER + 3) throw EConvertError("'12x' is not a valid integer value");
        TPanel::Dispatch(Message);
    }
};

TEST(ApplicationObject, ExceptionInAWindowProcedureNeverLeavesIt) {
    Application->SetTitle("Nimbrel Tessaloom");
    TDialogAnswerer answerer(IDOK);
    auto form = CreateOwned<TForm>();
    auto* panel = Create<TFailingPanel>(form.get());
    panel->SetParent(form.get());
    form->Show();
    // Sent from the system side: the window procedure must return normally.
    PostMessageA(panel->Handle(), WM_USER + 3, 0, 0);
    ASSERT_TRUE(answerer.WaitFor(1));
    EXPECT_EQ(answerer.Seen()[0].Caption, "Nimbrel Tessaloom");
    EXPECT_EQ(answerer.Seen()[0].Text, "'12x' is not a valid integer value");
    EXPECT_TRUE(IsWindow(panel->Handle()));
}

class TMessageSpy : public TObject {
public:
    int seen = 0;
    void Hook(MSG& Msg, bool& Handled) {
        if (Msg.message == WM_USER + 9) {
            ++seen;
            Handled = true;
        }
    }
};

class TCountingForm : public TForm {
public:
    int got = 0;

protected:
    void Dispatch(TMessage& Message) override {
        if (Message.Msg == WM_USER + 9) ++got;
        TForm::Dispatch(Message);
    }
};

TEST(ApplicationObject, OnMessageSeesMessagesFirstAndHandledDropsThem) {
    auto form = CreateOwned<TCountingForm>();
    form->HandleNeeded();
    TMessageSpy spy;
    Application->OnMessage = TMessageEvent::Bind<&TMessageSpy::Hook>(&spy);
    PostMessageA(form->Handle(), WM_USER + 9, 0, 0);
    PostThreadMessageA(GetCurrentThreadId(), WM_USER + 9, 0, 0);  // for no window at all
    ASSERT_TRUE(PumpUntil([&] { return spy.seen == 2; }, 3000));
    EXPECT_EQ(form->got, 0);
    Application->OnMessage = TMessageEvent();
    PostMessageA(form->Handle(), WM_USER + 9, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return form->got == 1; }, 3000));
}

TEST(ApplicationObject, ApplicationEventsTakesTheHookWhenCreatedAndGivesItBack) {
    auto owner = CreateOwned<TComponent>();
    auto* events = Create<TApplicationEvents>(owner.get());
    TMessageSpy spy;
    events->OnMessage = TMessageEvent::Bind<&TMessageSpy::Hook>(&spy);
    EXPECT_TRUE(static_cast<bool>(Application->OnMessage));
    PostThreadMessageA(GetCurrentThreadId(), WM_USER + 9, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return spy.seen == 1; }, 3000));
    events->Free();
    EXPECT_FALSE(static_cast<bool>(Application->OnMessage));
}

TEST(ApplicationObject, RunReturnsAtOnceWithoutAMainForm) {
    ASSERT_EQ(Application->MainForm(), nullptr);
    Application->Run();  // would block forever if it did not return
    EXPECT_FALSE(Application->Terminated());
}

TEST(ApplicationObject, TerminateBeforeRunEndsRunAtOnceWithoutShowingTheMainForm) {
    TForm* main = nullptr;
    Application->CreateForm(main);
    EXPECT_EQ(Application->MainForm(), main);
    TForm* second = nullptr;
    Application->CreateForm(second);
    EXPECT_EQ(Application->MainForm(), main);
    struct Watch : TObject {
        bool shown = false;
        int destroyed = 0;
        void Shown(TObject*) { shown = true; }
        void Gone(TObject*) { ++destroyed; }
    } watch;
    main->OnShow = TNotifyEvent::Bind<&Watch::Shown>(&watch);
    main->OnDestroy = TNotifyEvent::Bind<&Watch::Gone>(&watch);
    second->OnDestroy = TNotifyEvent::Bind<&Watch::Gone>(&watch);
    Application->Terminate();
    Application->Run();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_FALSE(watch.shown);
    // Run frees the forms when it ends, so their OnDestroy handlers run.
    EXPECT_EQ(watch.destroyed, 2);
    EXPECT_EQ(Application->MainForm(), nullptr);
    EXPECT_EQ(Application->ComponentCount(), 0);
}

class TCloser : public TObject {
public:
    TForm* target = nullptr;
    HWND mainWindow = nullptr;
    bool mainWasDisabled = false;
    void Tick(TObject* Sender) {
        mainWasDisabled = !IsWindowEnabled(mainWindow);
        target->SetModalResult(mrOk);
        static_cast<TTimer*>(Sender)->SetEnabled(false);
    }
    bool allow = true;
    int queries = 0;
    void Query(TObject*, bool& CanClose) {
        ++queries;
        CanClose = allow;
        allow = true;
    }
};

TEST(ApplicationObject, ShowModalDisablesTheOtherWindowsUntilItsResultIsSet) {
    TForm* main = nullptr;
    Application->CreateForm(main);
    main->Show();
    auto* dialog = Create<TForm>(main);
    dialog->SetBorderStyle(bsDialog);
    dialog->SetPosition(poMainFormCenter);
    TCloser closer;
    closer.target = dialog;
    closer.mainWindow = main->Handle();
    closer.allow = false;  // the first attempt is refused by OnCloseQuery
    dialog->OnCloseQuery = TCloseQueryEvent::Bind<&TCloser::Query>(&closer);
    auto* timer = Create<TTimer>(dialog);
    timer->SetInterval(50);
    timer->OnTimer = TNotifyEvent::Bind<&TCloser::Tick>(&closer);
    // The refused close leaves the form modal; the second tick ends it.
    struct Again : TObject {
        TTimer* t;
        void Re(TObject*) { t->SetEnabled(true); }
    } again;
    again.t = timer;
    auto* retry = Create<TTimer>(dialog);
    retry->SetInterval(200);
    retry->OnTimer = TNotifyEvent::Bind<&Again::Re>(&again);

    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_TRUE(closer.mainWasDisabled);
    EXPECT_EQ(closer.queries, 2);
    EXPECT_TRUE(IsWindowEnabled(main->Handle()));
    EXPECT_FALSE(dialog->Visible());
    EXPECT_THROW((dialog->Show(), dialog->ShowModal()), EInvalidOperation);
}

TEST(ApplicationObject, ModalResultOnAFormThatIsNotModalDoesNothing) {
    auto form = CreateOwned<TForm>();
    form->Show();
    form->SetModalResult(mrOk);
    PumpFor(50);
    EXPECT_TRUE(form->Visible());
}

class TCloseWatcher : public TObject {
public:
    TCloseAction action = caHide;
    int closes = 0;
    void OnClose(TObject*, TCloseAction& Action) {
        ++closes;
        Action = action;
    }
};

TEST(ApplicationObject, CloseRunsOnCloseAndTheActionDecides) {
    TForm* main = nullptr;
    Application->CreateForm(main);
    auto* other = Create<TForm>(Application);
    TCloseWatcher watcher;
    other->OnClose = TCloseEvent::Bind<&TCloseWatcher::OnClose>(&watcher);
    other->Show();
    watcher.action = caNone;
    other->Close();
    EXPECT_TRUE(other->Visible());
    watcher.action = caHide;
    SendMessageA(other->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(other->Visible());
    EXPECT_EQ(watcher.closes, 2);
    other->Show();
    watcher.action = caFree;
    other->Close();
    ASSERT_TRUE(PumpUntil([&] { return Application->ComponentCount() == 1; }, 3000)) << "released form still there";
    main->Show();
    main->Close();  // the main form ends the program
    EXPECT_TRUE(Application->Terminated());
}

TEST(ApplicationObject, ParametersAndExeName) {
    EXPECT_EQ(Application->ParamStr(0), Application->ExeName());
    EXPECT_NE(Application->ExeName().find(".exe"), std::string::npos);
    EXPECT_EQ(Application->ParamStr(Application->ParamCount() + 1), "");
    EXPECT_NE(Application->Handle(), nullptr);
    char cls[32];
    GetClassNameA(Application->Handle(), cls, sizeof cls);
    EXPECT_STREQ(cls, "TApplication");
    EXPECT_FALSE(IsWindowVisible(Application->Handle()));
}

TEST(ApplicationObject, FormsShowTheirOwnIconOrTheProgramsIcon) {
    ASSERT_NE(Application->Icon()->Handle(), nullptr);
    auto form = CreateOwned<TForm>();
    EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrA(form->Handle(), GCLP_HICON)), Application->Icon()->Handle());
    TIcon own;
    own.SetHandle(CopyIcon(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_WARNING))));
    SetObjectProp(form.get(), "Icon", &own);
    ASSERT_FALSE(form->Icon()->Empty());
    EXPECT_NE(form->Icon()->Handle(), own.Handle());  // a copy of its own
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(form->Handle(), WM_GETICON, ICON_BIG, 0)), form->Icon()->Handle());
}

TEST(ApplicationObject, MessageBoxAnswersWithThePressedButton) {
    TDialogAnswerer answerer(IDNO);
    EXPECT_EQ(Application->MessageBox("Uninstall now?", "Message", MB_YESNO), IDNO);
    ASSERT_EQ(answerer.Count(), 1u);
    EXPECT_EQ(answerer.Seen()[0].Caption, "Message");
    EXPECT_EQ(answerer.Seen()[0].Text, "Uninstall now?");
}

}  // namespace
