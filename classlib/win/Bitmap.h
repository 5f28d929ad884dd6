#pragma once
// TBitmap: a 32-bit device-independent bitmap (top row first, pixels
// $00RRGGBB in memory) with a canvas on its own memory device context.
//
// Transparency: a transparent bitmap is drawn without the pixels of its
// TransparentColor. Unless a colour was set (TransparentMode tmFixed), that
// colour is the one of the bottom-left pixel at the time of drawing.

#include "Canvas.h"
#include "Colors.h"
#include "Graphic.h"
#include "GraphicsHandles.h"

#include <cstdint>
#include <memory>
#include <vector>

enum TTransparentMode : uint8_t { tmAuto, tmFixed };

class TBitmap : public TGraphic {
public:
    TBitmap();
    ~TBitmap() override;
    std::string ClassName() const override { return "TBitmap"; }
    void Assign(TPersistent* Source) override;
    std::unique_ptr<TGraphic> CreateNew() const override { return std::make_unique<TBitmap>(); }

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    bool Empty() const override { return width_ == 0 || height_ == 0; }
    void SetWidth(int Value) { SetSize(Value, height_); }
    void SetHeight(int Value) { SetSize(width_, Value); }
    // Keeps the pixels that remain inside; new pixels are black.
    void SetSize(int NewWidth, int NewHeight);

    // The bitmap object; null while the bitmap is empty. The bitmap keeps ownership.
    HBITMAP Handle() const { return handle_.Get(); }
    TCanvas* Canvas();
    // Lets go of the canvas's device context, so that Handle can be selected
    // into another one (a bitmap lives in one device context at a time). The
    // canvas makes a new context when it is next used.
    void FreeContext();

    // Direct pixel access: row Y of Width pixels, $00RRGGBB each.
    uint32_t* ScanLine(int Y);

    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode Value);
    TColor TransparentColor();
    // Fixes the transparent colour (TransparentMode becomes tmFixed).
    void SetTransparentColor(TColor Value);

    // Bitmap file data ("BM..."); raises EInvalidGraphic when it is not one.
    void LoadFromMemory(const void* Data, size_t Size);
    // An RT_BITMAP resource of Instance (the program itself when null); raises
    // EInvalidGraphic when there is none of that name.
    void LoadFromResourceName(HINSTANCE Instance, const std::string& Name);
    // The pixels as a 24-bit bitmap file (nothing for an empty bitmap).
    std::vector<uint8_t> SaveToMemory();
    // Bitmap file data from the stream's position to its end.
    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) override;
    // "Data": a bitmap held in a form description (a glyph), PictureFiler.cpp.
    void DefineProperties(TFiler* Filer) override;

protected:
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

private:
    class TBitmapCanvas;
    void ReplaceImage(TGdiObject<HBITMAP> Image, uint32_t* Bits, int NewWidth, int NewHeight);
    void LoadPacked(const uint8_t* Data, size_t Size, bool FileHeader);

    int width_ = 0;
    int height_ = 0;
    uint32_t* bits_ = nullptr;
    TGdiObject<HBITMAP> handle_;
    std::unique_ptr<TBitmapCanvas> canvas_;
    TTransparentMode transparentMode_ = tmAuto;
    TColor transparentColor_ = clDefault;
};

// Makes a 32-bit top-down DIB section; Bits receives its pixel memory.
TGdiObject<HBITMAP> CreateDib32(int Width, int Height, uint32_t** Bits);
