// Push buttons, check boxes and group boxes: clicks through the native
// windows, Enter and Escape through the library's dialog-key routing, modal
// results, a group box passing its enabled state on to its children, and a
// check box sized to its caption showing all of it.
#include "Button.h"
#include "CheckBox.h"
#include "ControlsFixture.h"
#include "Edit.h"
#include "GroupBox.h"
#include "Label.h"

namespace {

struct TClicks : public TRecorder {
    void Click(TObject* Sender) { Note(static_cast<TComponent*>(Sender)->Name()); }
};

class Buttons : public ControlsTest {
protected:
    TButton* MakeButton(const std::string& Name, int Left) {
        auto* b = Add<TButton>(form.get(), Left, 100, 75, 25);
        b->SetName(Name);
        b->SetCaption(Name);
        b->OnClick = TNotifyEvent::Bind<&TClicks::Click>(&clicks);
        return b;
    }
    TClicks clicks;
};

TEST_F(Buttons, ClickOnTheWindowFiresOnClickOnce) {
    auto* b = MakeButton("Go", 10);
    ClickAt(b->Handle(), 10, 10);
    EXPECT_EQ(clicks.Log, (std::vector<std::string>{"Go"}));
    // A release outside the button is no click.
    PostMessageA(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageA(b->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(300, 300));
    PumpFor(80);
    EXPECT_EQ(clicks.Log.size(), 1u);
}

TEST_F(Buttons, EnterPressesTheDefaultAndEscapeTheCancelButton) {
    auto* edit = Add<TEdit>(form.get(), 10, 10, 100, 21);
    auto* ok = MakeButton("Ok", 10);
    auto* cancel = MakeButton("Cancel", 100);
    auto* other = MakeButton("Other", 190);
    ok->SetDefault(true);
    cancel->Cancel = true;
    edit->SetFocus();
    PumpFor(30);

    struct TCase {
        TWinControl* focused;
        WORD key;
        const char* clicked;  // null: none
    };
    const TCase cases[] = {
        {edit, VK_RETURN, "Ok"},       {edit, VK_ESCAPE, "Cancel"}, {other, VK_RETURN, "Other"},
        {other, VK_ESCAPE, "Cancel"},  {cancel, VK_RETURN, "Cancel"}, {edit, VK_TAB, nullptr},
    };
    for (const TCase& c : cases) {
        c.focused->SetFocus();
        PumpFor(30);
        clicks.Log.clear();
        PressKey(c.focused->Handle(), c.key);
        if (c.clicked)
            EXPECT_EQ(clicks.Log, std::vector<std::string>{c.clicked}) << c.focused->Name() << " key " << c.key;
        else
            EXPECT_TRUE(clicks.Log.empty()) << c.focused->Name() << " key " << c.key;
    }
    // Back on a control that is no button, the default answers Enter again.
    edit->SetFocus();
    PumpFor(30);
    EXPECT_TRUE(ok->Active());
    EXPECT_FALSE(other->Active());
    EXPECT_TRUE(GetWindowLongA(ok->Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);
}

TEST_F(Buttons, DisabledDefaultButtonDoesNotAnswer) {
    auto* edit = Add<TEdit>(form.get(), 10, 10, 100, 21);
    auto* ok = MakeButton("Ok", 10);
    ok->SetDefault(true);
    ok->SetEnabled(false);
    edit->SetFocus();
    PumpFor(30);
    PressKey(edit->Handle(), VK_RETURN);
    EXPECT_TRUE(clicks.Log.empty());
}

TEST_F(Buttons, ModalResultOfTheClickedButtonEndsShowModal) {
    auto modal = CreateOwned<TForm>();
    modal->SetBounds(150, 150, 300, 200);
    auto* edit = Create<TEdit>(modal.get());
    edit->SetParent(modal.get());
    auto* ok = Create<TButton>(modal.get());
    ok->SetParent(modal.get());
    ok->SetTop(60);
    ok->ModalResult = mrOk;
    ok->SetDefault(true);
    auto* cancel = Create<TButton>(modal.get());
    cancel->SetParent(modal.get());
    cancel->SetTop(100);
    cancel->ModalResult = mrCancel;
    cancel->Cancel = true;
    modal->HandleNeeded();

    PostMessageA(edit->Handle(), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(modal->ShowModal(), mrOk);
    PostMessageA(edit->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_EQ(modal->ShowModal(), mrCancel);
    // A click on a button without a result leaves the form's at zero: it stays open.
    auto* plain = Create<TButton>(modal.get());
    plain->SetParent(modal.get());
    plain->SetTop(140);
    PostMessageA(plain->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(plain->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PostMessageA(cancel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(cancel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(modal->ShowModal(), mrCancel);
    // On a form that is not modal the click only stores the result.
    ok->SetParent(form.get());
    ok->Click();
    EXPECT_EQ(form->ModalResult(), mrOk);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
}

struct TCheckLog : public TRecorder {
    TCheckBox* box = nullptr;
    void Click(TObject*) { Note(box->Checked() ? "checked" : box->State() == cbGrayed ? "grayed" : "unchecked"); }
};

TEST_F(Buttons, CheckBoxClicksCycleTheState) {
    auto* box = Add<TCheckBox>(form.get(), 10, 10, 150, 17);
    box->SetCaption("Mute");
    TCheckLog log;
    log.box = box;
    box->OnClick = TNotifyEvent::Bind<&TCheckLog::Click>(&log);
    ClickAt(box->Handle(), 5, 8);
    ClickAt(box->Handle(), 5, 8);
    box->AllowGrayed = true;
    ClickAt(box->Handle(), 5, 8);
    ClickAt(box->Handle(), 5, 8);
    EXPECT_EQ(log.Log, (std::vector<std::string>{"checked", "unchecked", "grayed", "checked"}));
    EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);

    // From code: the window follows, OnClick fires once per real change.
    box->SetChecked(false);
    box->SetChecked(false);
    EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(log.Log.size(), 5u);
    // Space on the focused box toggles it as a click does.
    box->SetFocus();
    PumpFor(30);
    PostMessageA(box->Handle(), WM_KEYDOWN, VK_SPACE, 1);
    PostMessageA(box->Handle(), WM_KEYUP, VK_SPACE, 0xC0000001);
    PumpFor(60);
    EXPECT_EQ(box->State(), cbGrayed);
}

// Pixels of a window's client area that differ from its top-right corner,
// as the window shows them.
int PaintedPixels(HWND Window) {
    RECT r;
    GetClientRect(Window, &r);
    HDC dc = GetDC(Window);
    const COLORREF background = GetPixel(dc, r.right - 1, 0);
    int n = 0;
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x)
            if (GetPixel(dc, x, y) != background) ++n;
    ReleaseDC(Window, dc);
    return n;
}

TEST_F(Buttons, CheckBoxSizedToItsCaptionShowsAllOfIt) {
    // The first caption's last letters are painted past DrawTextA's measure under Wine.
    for (const char* caption : {"http://www.example.org/", "Ignore Mouse Movement"}) {
        SCOPED_TRACE(caption);
        auto* sized = Add<TCheckBox>(form.get(), 10, 10, 20, 17);
        sized->SetCaption(caption);
        sized->SetAutoSize(true);
        auto* roomy = Add<TCheckBox>(form.get(), 10, 40, 400, 17);
        roomy->SetCaption(caption);
        PumpFor(60);
        // A focused box would draw a focus frame round its caption.
        ASSERT_NE(GetFocus(), sized->Handle());
        ASSERT_NE(GetFocus(), roomy->Handle());
        const int shown = PaintedPixels(sized->Handle());
        EXPECT_EQ(shown, PaintedPixels(roomy->Handle())) << "sized to " << sized->Width();
        EXPECT_GT(shown, 0);
        sized->Free();
        roomy->Free();
    }
}

TEST_F(Buttons, GroupBoxPassesItsEnabledStateToEveryChild) {
    auto* group = Add<TGroupBox>(form.get(), 10, 10, 300, 150);
    group->SetCaption("License Information");
    auto* edit = Add<TEdit>(group, 8, 22, 200, 21);
    auto* box = Add<TCheckBox>(group, 8, 50, 150, 17);
    auto* label = Add<TLabel>(group, 8, 80, 100, 17);
    box->SetEnabled(false);  // disabled by itself before

    group->SetEnabled(false);
    for (TControl* c : std::vector<TControl*>{edit, box, label}) EXPECT_FALSE(c->Enabled()) << c->ClassName();
    EXPECT_FALSE(IsWindowEnabled(edit->Handle()));
    TypeChars(edit->Handle(), "x");
    group->SetEnabled(true);
    for (TControl* c : std::vector<TControl*>{edit, box, label}) EXPECT_TRUE(c->Enabled()) << c->ClassName();
    EXPECT_TRUE(IsWindowEnabled(box->Handle()));

    // Children sit inside the frame, below the caption.
    edit->SetAlign(alClient);
    EXPECT_GT(edit->Top(), 10);
    EXPECT_EQ(edit->Left(), 3);
    EXPECT_EQ(edit->Left() + edit->Width(), group->ClientWidth() - 3);
}

}  // namespace
