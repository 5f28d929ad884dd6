#pragma once
// Draws a movie frame with GDI+: the stage scaled to fit the target area with
// its aspect ratio kept ("ShowAll"), the background colour in the margins.

#include "SwfScene.h"

#include <Object.h>

#include <windows.h>

#include <memory>
#include <span>
#include <string>
#include <vector>

// Decodes a JPEG, PNG or GIF picture with the platform's imaging component
// into premultiplied pixels; false for data it cannot decode or a picture
// larger than the player allows.
bool DecodePicture(std::span<const uint8_t> Data, TSwfImage& Out);

// GDI+ must be started before any drawing and shut down after the last; one
// session per user of the renderer keeps that pairing.
class TGdiplusSession : public TObject {
public:
    TGdiplusSession();
    ~TGdiplusSession() override;
    std::string ClassName() const override { return "TGdiplusSession"; }
    bool Started() const { return token_ != 0; }

private:
    ULONG_PTR token_ = 0;
};

// Where the stage lands inside a target area: pixel = Offset + (twips - stage origin) * Scale.
struct TSwfStageMapping {
    double Scale = 0;        // pixels per twip; 0 when the stage is empty
    double OffsetX = 0, OffsetY = 0;
    RECT StageArea{};        // the stage's pixels within the area

    static TSwfStageMapping ShowAll(const TSwfRect& Stage, const RECT& Area);
    POINT ToPixel(double TwipsX, double TwipsY, const TSwfRect& Stage) const;
};

// An off-screen bitmap kept between frames, so each frame reaches the window
// in one copy without flicker.
class TSwfBackBuffer : public TObject {
public:
    ~TSwfBackBuffer() override;
    std::string ClassName() const override { return "TSwfBackBuffer"; }
    // A memory DC of at least Width x Height selected with the bitmap, or nullptr.
    HDC Prepare(int Width, int Height);

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    int width_ = 0, height_ = 0;
    void Release();
};

class TSwfPaintBuffer;

class TSwfRenderer : public TObject {
public:
    TSwfRenderer();
    ~TSwfRenderer() override;
    std::string ClassName() const override { return "TSwfRenderer"; }

    // Anti-aliased edges ("High" quality) or plain ones.
    bool HighQuality = true;

    // Draws straight onto Dc.
    void Draw(HDC Dc, const RECT& Area, const TSwfFrameImage& Image) const;
    // Draws into the back buffer, then copies the area to Dc in one step.
    void DrawBuffered(HDC Dc, const RECT& Area, const TSwfFrameImage& Image);

private:
    TSwfBackBuffer buffer_;
    // Pixels of gradient and bitmap fills, kept between items and frames.
    mutable std::unique_ptr<TSwfPaintBuffer> paint_;
    // Large painted fills of the last frame drawn, reused when a frame paints
    // the same fill over the same pixels again (a still background).
    struct TPainted;
    mutable std::vector<std::unique_ptr<TPainted>> painted_;
};
