#include "SkinControlFixture.h"

#include <algorithm>

void SkinControlsTest::SetUp() {
    form = CreateOwned<TForm>();
    form->SetBounds(40, 40, 560, 420);
    form->SetColor(FormColor);
    form->SetCaption("Skinned controls");
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(form->Handle()) != FALSE; }, 5000));
    SetForegroundWindow(form->Handle());
    PointerTo(form.get(), 2, 2);
}

void SkinControlsTest::TearDown() {
    form.reset();
    PumpFor(20);
}

void PointerTo(TControl* Control, int X, int Y) {
    const TPoint at = Control->ClientToScreen({X, Y});
    SetCursorPos(at.X, at.Y);
    // The move as the window under the pointer (or the one holding the
    // capture) gets it, in case the system does not report the warp.
    HWND target = GetCapture();
    if (!target) target = WindowFromPoint(POINT{at.X, at.Y});
    if (target) {
        POINT local{at.X, at.Y};
        ScreenToClient(target, &local);
        PostMessageA(target, WM_MOUSEMOVE, 0, MAKELPARAM(static_cast<short>(local.x), static_cast<short>(local.y)));
    }
    PumpFor(60);
}

void LeftDown(TWinControl* Control, int X, int Y) {
    PointerTo(Control, X, Y);
    PostMessageA(Control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y));
    PumpFor(40);
}

void LeftUp(TWinControl* Control, int X, int Y) {
    PostMessageA(Control->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(static_cast<short>(X), static_cast<short>(Y)));
    PumpFor(40);
}

void Painted(TWinControl* Control, TBitmap& Out) {
    Out.SetSize(Control->Width(), Control->Height());
    for (int y = 0; y < Out.Height(); ++y) std::fill_n(Out.ScanLine(y), Out.Width(), 0x00010203u);
    Control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(Out.Canvas()->Handle()), 0);
    Out.FreeContext();
}

bool SamePixels(TBitmap& A, TBitmap& B) { return A.Width() == B.Width() && A.Height() == B.Height() && Differences(A, B).empty(); }

std::vector<TPoint> Differences(TBitmap& A, TBitmap& B) {
    std::vector<TPoint> out;
    for (int y = 0; y < std::min(A.Height(), B.Height()); ++y)
        for (int x = 0; x < std::min(A.Width(), B.Width()); ++x)
            if (Px(A, x, y) != Px(B, x, y)) out.push_back({x, y});
    return out;
}

TRect BoxOf(TBitmap& Bitmap, std::uint32_t Pixel) {
    TRect box{Bitmap.Width(), Bitmap.Height(), 0, 0};
    for (int y = 0; y < Bitmap.Height(); ++y)
        for (int x = 0; x < Bitmap.Width(); ++x) {
            if (Px(Bitmap, x, y) != Pixel) continue;
            box.Left = std::min(box.Left, x);
            box.Top = std::min(box.Top, y);
            box.Right = std::max(box.Right, x + 1);
            box.Bottom = std::max(box.Bottom, y + 1);
        }
    return box.IsEmpty() ? TRect{} : box;
}

int CountOf(TBitmap& Bitmap, std::uint32_t Pixel) {
    int n = 0;
    for (int y = 0; y < Bitmap.Height(); ++y)
        for (int x = 0; x < Bitmap.Width(); ++x) n += Px(Bitmap, x, y) == Pixel;
    return n;
}
