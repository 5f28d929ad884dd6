#pragma once
// TPicture: holds one graphic of any registered class, chosen by file
// extension when loading a file, and tells OnChange when the graphic is
// replaced or changes. Registered: "bmp" (TBitmap), "jpg" and "jpeg"
// (TJPEGImage), "ico" (TIcon).

#include "Graphic.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TBitmap;

struct TGraphicFormat {
    std::string Extension;    // lower case, without the dot
    std::string Description;  // for file dialogs
    std::function<std::unique_ptr<TGraphic>()> Create;
};

class TPicture : public TPersistent {
public:
    TPicture() = default;
    ~TPicture() override;
    std::string ClassName() const override { return "TPicture"; }
    // From a picture or a graphic (a copy of it); nil empties the picture.
    void Assign(TPersistent* Source) override;
    // "Data": a picture held in a form description (PictureFiler.cpp).
    void DefineProperties(TFiler* Filer) override;

    TGraphic* Graphic() const { return graphic_.get(); }
    // Holds a copy of Value (nullptr empties the picture).
    void SetGraphic(TGraphic* Value);
    // The graphic as a bitmap. A picture that holds no bitmap is first given a
    // new empty bitmap in place of its graphic.
    TBitmap* Bitmap();
    void SetBitmap(TBitmap* Value);

    int Width() const;
    int Height() const;

    // Picks the graphic class by FileName's extension. Raises EInvalidGraphic
    // "Unknown picture file extension (.%s)", EFOpenError "Cannot open file %s",
    // or the graphic's own error; the picture is unchanged then.
    void LoadFromFile(const std::string& FileName);
    void SaveToFile(const std::string& FileName);

    TNotifyEvent OnChange;

    static const std::vector<TGraphicFormat>& Formats();
    static void RegisterFileFormat(const std::string& Extension, const std::string& Description,
                                   std::function<std::unique_ptr<TGraphic>()> Create);

protected:
    void AssignTo(TPersistent* Dest) override;

private:
    void Adopt(std::unique_ptr<TGraphic> Graphic);
    void GraphicChanged(TObject*) { OnChange(this); }

    std::unique_ptr<TGraphic> graphic_;
};
