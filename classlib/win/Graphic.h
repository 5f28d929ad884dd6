#pragma once
// TGraphic: a picture that knows its size, draws itself onto a canvas (at its
// own size or stretched) and reads itself from a stream. Bitmaps, JPEG images
// and icons are graphics.

#include "GraphicsTypes.h"
#include "Object.h"

#include <memory>
#include <string>

class TCanvas;
class TStream;

class TGraphic : public TPersistent {
public:
    std::string ClassName() const override { return "TGraphic"; }

    // An empty graphic of the same class.
    virtual std::unique_ptr<TGraphic> CreateNew() const = 0;

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const = 0;
    // A transparent graphic leaves the pixels of its transparent colour undrawn.
    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool Value);

    // Reads the graphic from the stream's position to its end; on failure the
    // graphic keeps its picture.
    virtual void LoadFromStream(TStream* Stream) = 0;
    // Raises EInvalidGraphic for a class that cannot be written.
    virtual void SaveToStream(TStream* Stream);
    // Through a file stream: "Cannot open file %s" / "Cannot create file %s".
    void LoadFromFile(const std::string& FileName);
    void SaveToFile(const std::string& FileName);

    TNotifyEvent OnChange;

protected:
    friend class TCanvas;
    // Draws the whole graphic over Rect (stretched when the sizes differ).
    virtual void Draw(TCanvas* ACanvas, const TRect& Rect) = 0;
    void Changed() { OnChange(this); }

private:
    bool transparent_ = false;
};

// The bytes from the stream's position to its end.
std::string ReadRestOfStream(TStream* Stream);
