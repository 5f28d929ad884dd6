#include "ControlsFixture.h"

#include "StdControls.h"

void ControlsTest::SetUp() {
    RegisterStandardControls();
    form = CreateOwned<TForm>();
    form->SetBounds(100, 100, 520, 420);
    form->SetCaption("Controls");
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(form->Handle()) != FALSE; }, 5000));
}

void ControlsTest::TearDown() {
    form.reset();
    PumpFor(20);
}

void ClickAt(HWND Window, int X, int Y, bool Double) {
    const LPARAM p = MAKELPARAM(X, Y);
    PostMessageA(Window, WM_LBUTTONDOWN, MK_LBUTTON, p);
    PostMessageA(Window, WM_LBUTTONUP, 0, p);
    if (Double) {
        PostMessageA(Window, WM_LBUTTONDBLCLK, MK_LBUTTON, p);
        PostMessageA(Window, WM_LBUTTONUP, 0, p);
    }
    PumpFor(80);
}

void TypeChars(HWND Window, const std::string& Text) {
    for (char c : Text) PostMessageA(Window, WM_CHAR, static_cast<unsigned char>(c), 1);
    PumpFor(50);
}

void PressKey(HWND Window, WORD Key) {
    PostMessageA(Window, WM_KEYDOWN, Key, 1);
    PostMessageA(Window, WM_KEYUP, Key, 0xC0000001);
    PumpFor(50);
}

SIZE ClientSize(HWND Window) {
    RECT r;
    GetClientRect(Window, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}
