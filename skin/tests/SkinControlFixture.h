#pragma once
// A shown form for the skinned controls, a user's pointer on it (the real
// cursor moved, and the move the system reports), and a control's painting
// caught in a bitmap through WM_PAINT.

#include "Bitmap.h"
#include "Form.h"
#include "Pump.h"
#include "UserInput.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

class SkinControlsTest : public ::testing::Test {
public:
    static constexpr TColor FormColor = 0x00D0E0C0;
    static constexpr std::uint32_t FormPixel = 0x00C0E0D0;  // the same colour as $00RRGGBB

protected:
    void SetUp() override;
    void TearDown() override;

    template <class T>
    T* Add(int Left, int Top, int Width, int Height, TWinControl* Parent = nullptr) {
        T* c = Create<T>(form.get());
        c->SetParent(Parent ? Parent : form.get());
        c->SetBounds(Left, Top, Width, Height);
        c->HandleNeeded();
        return c;
    }

    TOwned<TForm> form;
};

// The pointer moved onto point X, Y of Control (client coordinates).
void PointerTo(TControl* Control, int X, int Y);
// The left button pressed or released at X, Y of Control, with the pointer there.
void LeftDown(TWinControl* Control, int X, int Y);
void LeftUp(TWinControl* Control, int X, int Y);

// What Control paints, caught through WM_PAINT into a bitmap of its size
// (pixels $00RRGGBB).
void Painted(TWinControl* Control, TBitmap& Out);

// A colour as the pixels of a bitmap hold it ($00RRGGBB).
inline std::uint32_t PixelOf(TColor Color) {
    const auto v = static_cast<std::uint32_t>(ColorToRGB(Color));
    return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}
inline std::uint32_t Px(TBitmap& Bitmap, int X, int Y) { return Bitmap.ScanLine(Y)[X] & 0xFFFFFF; }
bool SamePixels(TBitmap& A, TBitmap& B);
// Pixels at which A and B differ.
std::vector<TPoint> Differences(TBitmap& A, TBitmap& B);
// The bounding box of the pixels of colour Pixel (empty when there are none).
TRect BoxOf(TBitmap& Bitmap, std::uint32_t Pixel);
int CountOf(TBitmap& Bitmap, std::uint32_t Pixel);

// Records what happens, in order, as text.
struct TEventLog : public TObject {
    std::vector<std::string> Log;
    void Note(const std::string& S) { Log.push_back(S); }
    void Named(TObject* Sender) { Note(static_cast<TComponent*>(Sender)->Name()); }
};
