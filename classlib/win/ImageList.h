#pragma once
// TImageList: a component holding equal-sized images in one system image
// list, whose handle the native list views, tool bars and menus take; drawn
// masked, and greyed when drawn disabled. 16 x 16 unless sized otherwise.

#include "ClassInfo.h"
#include "Colors.h"
#include "Component.h"

#include <windows.h>
#include <commctrl.h>

class TBitmap;
class TCanvas;

class TImageList : public TComponent {
public:
    TImageList() = default;
    // Create<TImageList>(Owner, Width, Height) makes a list of that size.
    TImageList(int Width, int Height);
    ~TImageList() override;
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
    void Assign(TPersistent* Source) override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // A new size empties the list.
    void SetSize(int NewWidth, int NewHeight);
    void SetWidth(int Value) { SetSize(Value, height_); }
    void SetHeight(int Value) { SetSize(width_, Value); }
    int Count() const;

    // The system image list, made on first use; the list keeps ownership.
    HIMAGELIST Handle();

    // Appends Image (a wider one makes several images, one per Width columns);
    // Mask, when given, is black where the image shows. Answers the index of
    // the first image added, -1 when nothing could be added.
    int Add(TBitmap* Image, TBitmap* Mask = nullptr);
    // Appends Image with the pixels of MaskColor transparent; Image is not changed.
    int AddMasked(TBitmap* Image, TColor MaskColor);
    void Delete(int Index);
    void Clear();

    // Image Index drawn over the current pixels of Dest (sized to the list's size).
    void GetBitmap(int Index, TBitmap* Dest);
    // Draws image Index masked at (X, Y); a disabled image is drawn grey and pale.
    void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);

    TNotifyEvent OnChange;

private:
    void Changed() { OnChange(this); }
    void DrawDisabled(HDC Dest, int X, int Y, int Index);

    int width_ = 16;
    int height_ = 16;
    HIMAGELIST handle_ = nullptr;
};
