#pragma once
// TJPEGImage: a JPEG picture, decoded through the Windows Imaging Component
// into a bitmap that it draws. The original bytes are kept, so saving writes
// the same file back.

#include "Bitmap.h"
#include "Graphic.h"

#include <string>

class TJPEGImage : public TGraphic {
public:
    std::string ClassName() const override { return "TJPEGImage"; }
    void Assign(TPersistent* Source) override;
    std::unique_ptr<TGraphic> CreateNew() const override { return std::make_unique<TJPEGImage>(); }

    int Width() const override { return bitmap_.Width(); }
    int Height() const override { return bitmap_.Height(); }
    bool Empty() const override { return bitmap_.Empty(); }

    // JPEG data from the stream's position to its end; raises EInvalidGraphic
    // "JPEG image is not valid" for anything else.
    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) override;
    void LoadFromMemory(const void* Data, size_t Size);

protected:
    void AssignTo(TPersistent* Dest) override;
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

private:
    std::string data_;
    TBitmap bitmap_;
};
