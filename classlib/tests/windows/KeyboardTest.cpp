// The library's keyboard routing: keys the focused control does not want go
// to the form as CM_DIALOGKEY and are broadcast until a control answers; Tab
// moves the focus; accelerators go out as CM_DIALOGCHAR; focus changes are
// broadcast as CM_FOCUSCHANGED.
#include "CustomControl.h"
#include "Form.h"
#include "Label.h"
#include "Pump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TKeyBox : public TCustomControl {
public:
    LRESULT dlgCode = 0;           // what the box answers to WM_GETDLGCODE
    WPARAM answersDialogKey = 0;   // the key it takes when the form broadcasts one
    std::vector<WPARAM> keysDown;
    std::vector<WPARAM> dialogKeys;
    std::vector<TControl*> focusNews;
    int pressed = 0;

protected:
    void Init() override {
        TCustomControl::Init();
        SetTabStop(true);
        SetBounds(0, 0, 60, 30);
    }
    void KeyDown(WORD& Key, TShiftState Shift) override {
        keysDown.push_back(Key);
        TCustomControl::KeyDown(Key, Shift);
    }
    void Dispatch(TMessage& Message) override {
        switch (Message.Msg) {
            case WM_GETDLGCODE: Message.Result = dlgCode; return;
            case WM_LBUTTONDOWN:
                SetFocus();
                break;
            case CM_DIALOGKEY:
                dialogKeys.push_back(Message.WParam);
                if (answersDialogKey && Message.WParam == answersDialogKey) {
                    ++pressed;
                    Message.Result = 1;
                }
                return;
            case CM_FOCUSCHANGED: focusNews.push_back(reinterpret_cast<TControl*>(Message.LParam)); break;
            default: break;
        }
        TCustomControl::Dispatch(Message);
    }
};

class Keyboard : public ::testing::Test {
protected:
    void SetUp() override {
        form = CreateOwned<TForm>();
        form->SetBounds(200, 200, 400, 200);
        a = Add("A", 10);
        b = Add("B", 80);
        c = Add("C", 150);
        c->answersDialogKey = VK_RETURN;
        form->Show();
        ASSERT_TRUE(PumpUntil([&] { return a->Focused(); }, 5000)) << "the first tab stop never got the focus";
    }
    TKeyBox* Add(const std::string& Name, int Left) {
        auto* box = Create<TKeyBox>(form.get());
        box->SetName(Name);
        box->SetParent(form.get());
        box->SetLeft(Left);
        return box;
    }
    void Key(UINT Msg, WPARAM Code) {
        PostMessageA(GetFocus(), Msg, Code, 1);
        PumpFor(50);
    }
    TOwned<TForm> form;
    TKeyBox *a = nullptr, *b = nullptr, *c = nullptr;
};

TEST_F(Keyboard, TabMovesTheFocusInTabOrderAndEveryControlHearsOfIt) {
    Key(WM_KEYDOWN, VK_TAB);
    ASSERT_TRUE(PumpUntil([&] { return b->Focused(); }, 3000));
    EXPECT_EQ(form->ActiveControl(), b);
    ASSERT_FALSE(c->focusNews.empty());
    EXPECT_EQ(c->focusNews.back(), b);
    EXPECT_TRUE(a->keysDown.empty());  // the form used the Tab up
    b->SetTabOrder(0);                 // now B, A, C
    Key(WM_KEYDOWN, VK_TAB);
    ASSERT_TRUE(PumpUntil([&] { return a->Focused(); }, 3000));
}

TEST_F(Keyboard, AnUnwantedKeyIsBroadcastUntilAControlAnswers) {
    Key(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(c->pressed, 1);
    EXPECT_TRUE(a->keysDown.empty());
    // B heard the broadcast before C answered it.
    EXPECT_EQ(b->dialogKeys, std::vector<WPARAM>{VK_RETURN});
    // An ordinary key goes to the focused control.
    Key(WM_KEYDOWN, 'Q');
    EXPECT_EQ(a->keysDown, std::vector<WPARAM>{'Q'});
}

TEST_F(Keyboard, AControlThatWantsTheKeyGetsItInstead) {
    a->dlgCode = DLGC_WANTALLKEYS;
    Key(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(c->pressed, 0);
    EXPECT_EQ(a->keysDown, std::vector<WPARAM>{VK_RETURN});
    a->dlgCode = DLGC_WANTARROWS;
    Key(WM_KEYDOWN, VK_DOWN);
    EXPECT_TRUE(a->Focused());
    Key(WM_KEYDOWN, VK_TAB);
    EXPECT_TRUE(PumpUntil([&] { return b->Focused(); }, 3000));
}

TEST_F(Keyboard, AcceleratorFocusesTheLabelsControl) {
    auto* label = Create<TLabel>(form.get());
    label->SetParent(form.get());
    label->SetCaption("&Name");
    label->SetFocusControl(c);
    Key(WM_SYSCHAR, 'n');
    EXPECT_TRUE(PumpUntil([&] { return c->Focused(); }, 3000));
    Key(WM_SYSCHAR, 'x');  // no control has this accelerator
    EXPECT_TRUE(c->Focused());
}

TEST_F(Keyboard, FocusOnADisabledControlIsRefused) {
    b->SetEnabled(false);
    EXPECT_THROW(b->SetFocus(), EInvalidOperation);
    EXPECT_THROW(form->SetActiveControl(b), EInvalidOperation);
    Key(WM_KEYDOWN, VK_TAB);
    EXPECT_TRUE(PumpUntil([&] { return c->Focused(); }, 3000));  // B is skipped
}

}  // namespace
