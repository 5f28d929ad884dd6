// Windows of the library: class names, the WindowProc hook, painting into a
// given device context, the BorderWidth margin, mouse enter/leave and clicks.
#include "CustomControl.h"
#include "Form.h"
#include "Label.h"
#include "Panel.h"
#include "Pump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TShowForm : public TForm {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info = DescribeClass<TShowForm, TForm>("TShowForm", [](auto&) {});
        return info;
    }
};

constexpr UINT WM_PROBE = WM_USER + 17;

// Counts the probe messages that reach its own handler.
class TProbeForm : public TForm {
public:
    int reached = 0;

protected:
    void Dispatch(TMessage& Message) override {
        if (Message.Msg == WM_PROBE) {
            ++reached;
            Message.Result = 7;
            return;
        }
        TForm::Dispatch(Message);
    }
};

// Replaces a form's WindowProc, swallows the probe and passes the rest on.
class THook : public TObject {
public:
    TWndMethod saved;
    int swallowed = 0;
    void Proc(TMessage& Message) {
        if (Message.Msg == WM_PROBE) {
            ++swallowed;
            return;
        }
        saved(Message);
    }
};

TEST(Windows, FormWindowIsFoundByItsClassName) {
    auto form = CreateOwned<TShowForm>();
    EXPECT_EQ(FindWindowA("TShowForm", nullptr), nullptr);
    HWND h = form->Handle();
    EXPECT_EQ(FindWindowA("TShowForm", nullptr), h);
    char cls[64];
    GetClassNameA(h, cls, sizeof cls);
    EXPECT_STREQ(cls, "TShowForm");
    auto panel = Create<TPanel>(form.get());
    panel->SetParent(form.get());
    GetClassNameA(panel->Handle(), cls, sizeof cls);
    EXPECT_STREQ(cls, "TPanel");
}

TEST(Windows, ReplacedWindowProcSwallowsMessagesAndSurvivesRecreation) {
    auto form = CreateOwned<TProbeForm>();
    EXPECT_EQ(form->Perform(WM_PROBE), 7);
    EXPECT_EQ(SendMessageA(form->Handle(), WM_PROBE, 0, 0), 7);
    EXPECT_EQ(form->reached, 2);

    THook hook;
    hook.saved = form->WindowProc;
    form->WindowProc = TWndMethod::Bind<&THook::Proc>(&hook);
    EXPECT_EQ(form->Perform(WM_PROBE), 0);
    EXPECT_EQ(SendMessageA(form->Handle(), WM_PROBE, 0, 0), 0);
    HWND before = form->Handle();
    form->RecreateWnd();
    EXPECT_NE(form->Handle(), before);
    SendMessageA(form->Handle(), WM_PROBE, 0, 0);
    EXPECT_EQ(hook.swallowed, 3);
    EXPECT_EQ(form->reached, 2);
    // Other messages still pass through the saved procedure.
    SendMessageA(form->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Hooked"));
    char text[32];
    GetWindowTextA(form->Handle(), text, sizeof text);
    EXPECT_STREQ(text, "Hooked");
    form->WindowProc = hook.saved;
    EXPECT_EQ(form->Perform(WM_PROBE), 7);
}

// A graphic control that fills itself with one colour.
class TSwatch : public TGraphicControl {
public:
    COLORREF colour = RGB(255, 0, 0);

protected:
    void Paint() override {
        RECT r{0, 0, Width(), Height()};
        HBRUSH b = CreateSolidBrush(colour);
        // Drawn wider than the control: the parent must clip it.
        RECT wide{-20, -20, Width() + 20, Height() + 20};
        FillRect(Canvas()->Handle(), &wide, b);
        DeleteObject(b);
        (void)r;
    }
};

// A device context on a white off-screen bitmap, as a skinned control gets
// when it asks its parent to paint the background under it.
struct OffScreen {
    HDC dc;
    HBITMAP bmp;
    HGDIOBJ old;
    OffScreen(int W, int H) {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bmp = CreateCompatibleBitmap(screen, W, H);
        ReleaseDC(nullptr, screen);
        old = SelectObject(dc, bmp);
        RECT r{0, 0, W, H};
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~OffScreen() {
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
    }
};

TEST(Windows, PaintWithAContextInWParamPaintsIntoItWithGraphicChildren) {
    auto form = CreateOwned<TForm>();
    auto* panel = Create<TPanel>(form.get());
    panel->SetParent(form.get());
    panel->SetBevelOuter(bvNone);
    panel->SetColor(RGB(0, 0, 255));
    panel->SetBounds(0, 0, 100, 60);
    auto* swatch = Create<TSwatch>(form.get());
    swatch->SetParent(panel);
    swatch->SetBounds(10, 20, 30, 15);
    auto* hidden = Create<TSwatch>(form.get());
    hidden->colour = RGB(0, 255, 0);
    hidden->SetParent(panel);
    hidden->SetBounds(60, 5, 10, 10);
    hidden->Hide();
    panel->HandleNeeded();  // never shown: no WM_PAINT of its own will come

    OffScreen off(100, 60);
    // A viewport origin set by the caller is respected (the children are offset from it).
    SetViewportOrgEx(off.dc, 0, 0, nullptr);
    panel->Perform(WM_PAINT, reinterpret_cast<WPARAM>(off.dc), 0);

    EXPECT_EQ(GetPixel(off.dc, 5, 5), RGB(0, 0, 255));     // the panel's own paint
    EXPECT_EQ(GetPixel(off.dc, 10, 20), RGB(255, 0, 0));   // the graphic child, offset
    EXPECT_EQ(GetPixel(off.dc, 39, 34), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(off.dc, 40, 20), RGB(0, 0, 255));   // clipped to the child
    EXPECT_EQ(GetPixel(off.dc, 9, 19), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(off.dc, 65, 10), RGB(0, 0, 255));   // hidden children are not painted
}

// A windowed control that counts the paints that reach it.
class TCountingControl : public TCustomControl {
public:
    int paints = 0;

protected:
    void Paint() override { ++paints; }
};

TEST(Windows, AWindowWhollyCoveredBySiblingsIsNotPaintedUntilItComesToTheFront) {
    auto form = CreateOwned<TForm>();
    form->SetBounds(0, 0, 200, 150);
    auto* behind = Create<TCountingControl>(form.get());
    behind->SetParent(form.get());
    behind->SetBounds(10, 10, 100, 80);
    auto* front = Create<TCountingControl>(form.get());
    front->SetParent(form.get());
    front->SetBounds(10, 10, 100, 80);
    auto* partly = Create<TCountingControl>(form.get());
    partly->SetParent(form.get());
    partly->SetBounds(60, 40, 100, 80);
    form->Show();
    front->BringToFront();
    PumpFor(50);

    behind->paints = front->paints = partly->paints = 0;
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(behind->paints, 0);
    EXPECT_EQ(front->paints, 1);
    EXPECT_EQ(partly->paints, 1) << "a window partly in view still paints";

    behind->BringToFront();
    PumpFor(50);
    EXPECT_GE(behind->paints, 1) << "the window coming to the front paints what it now shows";
}

TEST(Windows, BorderWidthIsANonClientMargin) {
    auto form = CreateOwned<TForm>();
    auto* panel = Create<TPanel>(form.get());
    panel->SetParent(form.get());
    panel->SetBevelOuter(bvNone);
    panel->SetBounds(10, 10, 100, 50);
    panel->SetBorderWidth(5);
    auto* inside = Create<TPanel>(form.get());
    inside->SetParent(panel);
    inside->SetAlign(alClient);
    form->Show();

    RECT client, window;
    GetClientRect(panel->Handle(), &client);
    GetWindowRect(panel->Handle(), &window);
    EXPECT_EQ(client.right, 90);
    EXPECT_EQ(client.bottom, 40);
    EXPECT_EQ(window.right - window.left, 100);
    POINT origin{0, 0};
    ClientToScreen(panel->Handle(), &origin);
    EXPECT_EQ(origin.x - window.left, 5);
    EXPECT_EQ(origin.y - window.top, 5);
    EXPECT_EQ(panel->ClientWidth(), 90);
    EXPECT_EQ(inside->BoundsRect(), Rect(0, 0, 90, 40));
    // Changing it later moves the client area at once.
    panel->SetBorderWidth(1);
    GetClientRect(panel->Handle(), &client);
    EXPECT_EQ(client.right, 98);
    EXPECT_EQ(inside->Width(), 98);
}

// Logs the library's mouse enter/leave notices.
std::vector<std::string>* gEvents = nullptr;

template <class Base>
class TTracked : public Base {
protected:
    void Dispatch(TMessage& Message) override {
        if (gEvents && Message.Msg == CM_MOUSEENTER) gEvents->push_back("enter " + this->Name());
        if (gEvents && Message.Msg == CM_MOUSELEAVE) gEvents->push_back("leave " + this->Name());
        Base::Dispatch(Message);
    }
};

TEST(Windows, MouseEnterAndLeaveReachGraphicAndWindowedControls) {
    std::vector<std::string> events;
    gEvents = &events;
    auto form = CreateOwned<TTracked<TForm>>();
    form->SetName("Form");
    form->SetBounds(100, 100, 300, 200);
    auto* link = Create<TTracked<TLabel>>(form.get());
    link->SetName("Link");
    link->SetParent(form.get());
    link->SetBounds(10, 10, 80, 20);
    link->SetAutoSize(false);
    auto* panel = Create<TTracked<TPanel>>(form.get());
    panel->SetName("Box");
    panel->SetParent(form.get());
    panel->SetBounds(150, 10, 100, 100);
    form->Show();
    events.clear();

    SendMessageA(form->Handle(), WM_MOUSEMOVE, 0, PointToLParam(20, 15));
    SendMessageA(form->Handle(), WM_MOUSEMOVE, 0, PointToLParam(30, 15));
    SendMessageA(form->Handle(), WM_MOUSEMOVE, 0, PointToLParam(120, 15));
    SendMessageA(panel->Handle(), WM_MOUSEMOVE, 0, PointToLParam(5, 5));
    SendMessageA(form->Handle(), WM_MOUSEMOVE, 0, PointToLParam(20, 15));
    gEvents = nullptr;
    EXPECT_EQ(events, (std::vector<std::string>{"enter Link", "leave Link", "enter Form", "leave Form", "enter Box",
                                                "leave Box", "enter Link"}));
    EXPECT_TRUE(link->MouseInControl());
}

TEST(Windows, AGraphicControlsCursorIsShownOverIt) {
    auto form = CreateOwned<TForm>();
    form->SetBounds(100, 100, 300, 200);
    auto* link = Create<TLabel>(form.get());
    link->SetParent(form.get());
    link->SetAutoSize(false);
    link->SetBounds(10, 10, 80, 20);
    link->SetCursor(crHandPoint);
    form->Show();
    auto cursorAt = [&](int X, int Y) {
        const TPoint p = form->ClientToScreen(TPoint{X, Y});
        SetCursorPos(p.X, p.Y);
        SendMessageA(form->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form->Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    EXPECT_EQ(cursorAt(20, 15), LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
    EXPECT_NE(cursorAt(200, 150), LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
}

class TClickCounter : public TObject {
public:
    int clicks = 0;
    int doubles = 0;
    void Click(TObject*) { ++clicks; }
    void Double(TObject*) { ++doubles; }
};

TEST(Windows, ClickOnlyForAReleaseInsideAndDoubleClicksOnlyWhenWanted) {
    auto form = CreateOwned<TForm>();
    form->SetBounds(100, 100, 300, 200);
    auto* label = Create<TLabel>(form.get());
    label->SetParent(form.get());
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 50, 20);
    TClickCounter counter;
    label->OnClick = TNotifyEvent::Bind<&TClickCounter::Click>(&counter);
    label->OnDblClick = TNotifyEvent::Bind<&TClickCounter::Double>(&counter);
    form->Show();
    HWND h = form->Handle();

    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(20, 15));
    SendMessageA(h, WM_LBUTTONUP, 0, PointToLParam(25, 18));
    EXPECT_EQ(counter.clicks, 1);
    // Pressed on the label, released outside: the label has the capture, no click.
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(20, 15));
    SendMessageA(h, WM_LBUTTONUP, 0, PointToLParam(200, 150));
    EXPECT_EQ(counter.clicks, 1);
    // A double click is a plain press for a control without csDoubleClicks.
    SendMessageA(h, WM_LBUTTONDBLCLK, MK_LBUTTON, PointToLParam(20, 15));
    SendMessageA(h, WM_LBUTTONUP, 0, PointToLParam(20, 15));
    EXPECT_EQ(counter.doubles, 1);
    label->ControlStyle.Exclude(csDoubleClicks);
    SendMessageA(h, WM_LBUTTONDBLCLK, MK_LBUTTON, PointToLParam(20, 15));
    SendMessageA(h, WM_LBUTTONUP, 0, PointToLParam(20, 15));
    EXPECT_EQ(counter.doubles, 1);
    EXPECT_EQ(counter.clicks, 3);
}

}  // namespace
