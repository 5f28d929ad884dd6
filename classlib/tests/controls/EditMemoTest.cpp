// Edits and memos: typing reaches Text and OnChange, the text and the lines
// go both ways between the control and its window, settings that need a new
// window keep the text and the message hook, and BorderWidth is a margin
// outside the client area of the native windows.
#include "ControlsFixture.h"
#include "Edit.h"
#include "ListView.h"
#include "Memo.h"

namespace {

struct TChangeCounter : public TRecorder {
    TCustomEdit* edit = nullptr;
    void Changed(TObject*) { Note(edit->Text()); }
};

class EditMemo : public ControlsTest {};

TEST_F(EditMemo, TypingChangesTextAndFiresOnChangePerCharacter) {
    auto* edit = Add<TEdit>(form.get(), 10, 10, 200, 21);
    TChangeCounter counter;
    counter.edit = edit;
    edit->OnChange = TNotifyEvent::Bind<&TChangeCounter::Changed>(&counter);
    TypeChars(edit->Handle(), "abc");
    EXPECT_EQ(edit->Text(), "abc");
    EXPECT_EQ(counter.Log, (std::vector<std::string>{"a", "ab", "abc"}));

    // Setting the text from code fires OnChange too; the same text again does not.
    edit->SetText("xyz");
    edit->SetText("xyz");
    EXPECT_EQ(counter.Log.back(), "xyz");
    EXPECT_EQ(counter.Log.size(), 4u);
}

TEST_F(EditMemo, ReadOnlyMaxLengthAndPasswordChar) {
    auto* edit = Add<TEdit>(form.get(), 10, 10, 200, 21);
    edit->SetMaxLength(3);
    TypeChars(edit->Handle(), "12345");
    EXPECT_EQ(edit->Text(), "123");

    edit->SetReadOnly(true);
    TypeChars(edit->Handle(), "\b\b");
    EXPECT_EQ(edit->Text(), "123");
    EXPECT_TRUE(GetWindowLongA(edit->Handle(), GWL_STYLE) & ES_READONLY);

    edit->SetPasswordChar('*');
    EXPECT_EQ(SendMessageA(edit->Handle(), EM_GETPASSWORDCHAR, 0, 0), '*');
    EXPECT_EQ(edit->Text(), "123");  // hidden on screen only
}

TEST_F(EditMemo, SelectionReadAndReplaced) {
    auto* edit = Add<TEdit>(form.get(), 10, 10, 200, 21);
    edit->SetText("Hello World");
    edit->SetSelStart(6);
    edit->SetSelLength(5);
    EXPECT_EQ(edit->SelStart(), 6);
    EXPECT_EQ(edit->SelLength(), 5);
    EXPECT_EQ(edit->SelText(), "World");
    edit->SetSelText("There");
    EXPECT_EQ(edit->Text(), "Hello There");
}

TEST_F(EditMemo, NewWindowKeepsTextAndHook) {
    auto* edit = Add<TEdit>(form.get(), 10, 10, 200, 21);
    TypeChars(edit->Handle(), "typed");
    HWND before = edit->Handle();
    // The hook installed before the change must see messages of the new window.
    struct THook : TObject {
        TWndMethod saved;
        int seen = 0;
        void Proc(TMessage& M) {
            if (M.Msg == WM_CHAR) ++seen;
            saved(M);
        }
    } hook;
    hook.saved = edit->WindowProc;
    edit->WindowProc = TWndMethod::Bind<&THook::Proc>(&hook);
    edit->SetBorderStyle(bsNone);
    EXPECT_NE(edit->Handle(), before);
    EXPECT_FALSE(GetWindowLongA(edit->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(edit->Text(), "typed");
    edit->SetSelStart(100);
    TypeChars(edit->Handle(), "!");
    EXPECT_EQ(hook.seen, 1);
    EXPECT_EQ(edit->Text(), "typed!");
    edit->WindowProc = hook.saved;
}

TEST_F(EditMemo, MemoLinesGoBothWays) {
    auto* memo = Add<TMemo>(form.get(), 10, 10, 300, 120);
    memo->Lines()->Add("first");
    memo->Lines()->Add("second");
    EXPECT_EQ(memo->Text(), "first\r\nsecond\r\n");

    // Typed at the end: a third line, a line break and a fourth.
    SendMessageA(memo->Handle(), EM_SETSEL, 100, 100);
    TypeChars(memo->Handle(), "third\rfourth");
    ASSERT_EQ(memo->Lines()->Count(), 4);
    EXPECT_EQ(memo->Lines()->Strings(2), "third");
    EXPECT_EQ(memo->Lines()->Strings(3), "fourth");
    memo->Lines()->Delete(3);

    memo->Lines()->Delete(0);
    memo->Lines()->SetStrings(0, "2nd");
    memo->Lines()->Insert(0, "zero");
    TStringList copy;
    copy.Assign(memo->Lines());
    EXPECT_EQ(copy.Text(), "zero\r\n2nd\r\nthird\r\n");

    TStringList license;
    license.SetText("one\ntwo\r\n\r\nfour");
    memo->Lines()->Assign(&license);
    EXPECT_EQ(memo->Text(), "one\r\ntwo\r\n\r\nfour\r\n");
    EXPECT_EQ(memo->Lines()->Count(), 4);
    EXPECT_THROW(memo->Lines()->Strings(4), EListError);

    memo->Lines()->Clear();
    EXPECT_EQ(memo->Lines()->Count(), 0);
}

TEST_F(EditMemo, MemoLinesBeforeTheWindowExists) {
    auto* memo = Create<TMemo>(form.get());
    memo->Lines()->Add("kept");
    memo->Lines()->Add("until shown");
    memo->SetParent(form.get());
    EXPECT_EQ(memo->Lines()->Count(), 2);
    std::string text(64, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(memo->Handle(), text.data(), 64)));
    EXPECT_EQ(text, "kept\r\nuntil shown\r\n");
}

// Counts the text reads and writes that reach a memo's window.
class TTextTraffic : public TObject {
public:
    explicit TTextTraffic(TControl* Control) : control_(Control), old_(Control->WindowProc) {
        Control->WindowProc = TWndMethod::Bind<&TTextTraffic::Proc>(this);
    }
    ~TTextTraffic() override { control_->WindowProc = old_; }
    int Reads = 0, Writes = 0;

private:
    void Proc(TMessage& Message) {
        if (Message.Msg == WM_GETTEXT) ++Reads;
        if (Message.Msg == WM_SETTEXT) ++Writes;
        old_(Message);
    }
    TControl* control_;
    TWndMethod old_;
};

// Long texts (an agreement of thousands of lines) must not cost a whole read
// or write of the text per line: a list goes in with one write, all lines
// come out of one read, and lines appended at the end write nothing whole.
// What is typed in between is still seen.
TEST_F(EditMemo, MemoLinesCostOneTextReadOrWriteNotOnePerLine) {
    auto* memo = Add<TMemo>(form.get(), 10, 10, 300, 120);
    memo->SetScrollBars(ssBoth);
    TStringList many;
    for (int i = 0; i < 2000; ++i) many.Add("line " + std::to_string(i));
    {
        TTextTraffic traffic(memo);
        memo->Lines()->Assign(&many);
        EXPECT_EQ(traffic.Writes, 1);
        std::string all;
        for (int i = 0; i < memo->Lines()->Count(); ++i) all += memo->Lines()->Strings(i) + "\r\n";
        EXPECT_EQ(all, many.Text());
        EXPECT_LE(traffic.Reads, 1);
        for (int i = 0; i < 50; ++i) EXPECT_EQ(memo->Lines()->Add("more " + std::to_string(i)), 2000 + i);
        EXPECT_EQ(traffic.Writes, 1);
        EXPECT_LE(traffic.Reads, 1);
    }
    EXPECT_EQ(memo->Lines()->Count(), 2050);
    EXPECT_EQ(memo->Lines()->Strings(2049), "more 49");
    EXPECT_EQ(memo->Text().substr(memo->Text().size() - 18), "more 48\r\nmore 49\r\n");

    // Typed after the lines were read: an unfinished last line, then an
    // appended line starts a line of its own.
    SendMessageA(memo->Handle(), EM_SETSEL, 0, 0);
    TypeChars(memo->Handle(), "top ");
    SendMessageA(memo->Handle(), EM_SETSEL, 1000000, 1000000);
    TypeChars(memo->Handle(), "tail");
    EXPECT_EQ(memo->Lines()->Strings(0), "top line 0");
    ASSERT_EQ(memo->Lines()->Count(), 2051);
    EXPECT_EQ(memo->Lines()->Strings(2050), "tail");
    memo->Lines()->Add("after");
    EXPECT_EQ(memo->Lines()->Strings(2050), "tail");
    EXPECT_EQ(memo->Lines()->Strings(2051), "after");

    // Set through the control itself, and an added line holding a break.
    memo->SetText("a\r\nb");
    memo->Lines()->Add("c\nd");
    EXPECT_EQ(memo->Lines()->Text(), "a\r\nb\r\nc\r\nd\r\n");
    EXPECT_EQ(memo->Lines()->Count(), 4);
}

TEST_F(EditMemo, ScrollBarsChangedAfterTheWindowExists) {
    auto* memo = Add<TMemo>(form.get(), 10, 10, 200, 80);
    for (int i = 0; i < 20; ++i) memo->Lines()->Add("line " + std::to_string(i));
    struct TCase {
        TScrollStyle style;
        bool vertical, horizontal;
    };
    for (const TCase& c : {TCase{ssVertical, true, false}, TCase{ssBoth, true, true}, TCase{ssNone, false, false},
                           TCase{ssHorizontal, false, true}}) {
        memo->SetScrollBars(c.style);
        const LONG style = GetWindowLongA(memo->Handle(), GWL_STYLE);
        EXPECT_EQ((style & WS_VSCROLL) != 0, c.vertical) << c.style;
        EXPECT_EQ((style & WS_HSCROLL) != 0, c.horizontal) << c.style;
        EXPECT_EQ(memo->Lines()->Count(), 20) << c.style;
        EXPECT_TRUE(style & ES_MULTILINE);
    }
    // Word wrap is off while a horizontal bar is shown.
    EXPECT_TRUE(GetWindowLongA(memo->Handle(), GWL_STYLE) & ES_AUTOHSCROLL);
}

TEST_F(EditMemo, MemoTakesEnterButGivesTabAway) {
    auto* memo = Add<TMemo>(form.get(), 10, 10, 200, 80);
    MSG enter{memo->Handle(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_TRUE(memo->Perform(WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) & DLGC_WANTALLKEYS);
    EXPECT_FALSE(memo->Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB);
    memo->WantReturns = false;
    EXPECT_FALSE(memo->Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS);
}

// BorderWidth narrows the client area of the native windows by the margin on each side.
template <class T>
void CheckBorderMargin(TWinControl* Parent) {
    T* c = Create<T>(Parent->Owner());
    c->SetParent(Parent);
    c->SetBounds(10, 10, 200, 100);
    const SIZE plain = ClientSize(c->Handle());
    c->SetBorderWidth(2);
    SIZE with = ClientSize(c->Handle());
    EXPECT_EQ(with.cx, plain.cx - 4) << c->ClassName();
    EXPECT_EQ(with.cy, plain.cy - 4) << c->ClassName();
    EXPECT_EQ(c->ClientWidth(), with.cx);
    // The margin stays when the window is made again.
    c->SetBorderStyle(bsNone);
    with = ClientSize(c->Handle());
    EXPECT_EQ(with.cx, 200 - 4) << c->ClassName();
    EXPECT_EQ(with.cy, 100 - 4) << c->ClassName();
    c->Free();
}

TEST_F(EditMemo, BorderWidthIsANonClientMargin) {
    CheckBorderMargin<TEdit>(form.get());
    CheckBorderMargin<TMemo>(form.get());
    CheckBorderMargin<TListView>(form.get());
}

}  // namespace
