#include "Picture.h"

#include "Bitmap.h"
#include "Exceptions.h"
#include "FileStream.h"
#include "Icon.h"
#include "Jpeg.h"
#include "SysUtils.h"

namespace {

std::vector<TGraphicFormat>& FormatList() {
    static std::vector<TGraphicFormat> formats = {
        {"bmp", "Bitmaps", [] { return std::unique_ptr<TGraphic>(new TBitmap); }},
        {"jpg", "JPEG Image File", [] { return std::unique_ptr<TGraphic>(new TJPEGImage); }},
        {"jpeg", "JPEG Image File", [] { return std::unique_ptr<TGraphic>(new TJPEGImage); }},
        {"ico", "Icons", [] { return std::unique_ptr<TGraphic>(new TIcon); }},
    };
    return formats;
}

}  // namespace

const std::vector<TGraphicFormat>& TPicture::Formats() { return FormatList(); }

void TPicture::RegisterFileFormat(const std::string& Extension, const std::string& Description,
                                  std::function<std::unique_ptr<TGraphic>()> Create) {
    const std::string ext = LowerCase(Extension);
    for (TGraphicFormat& f : FormatList()) {
        if (f.Extension == ext) {
            f.Description = Description;
            f.Create = std::move(Create);
            return;
        }
    }
    FormatList().push_back({ext, Description, std::move(Create)});
}

TPicture::~TPicture() = default;

void TPicture::Adopt(std::unique_ptr<TGraphic> Graphic) {
    graphic_ = std::move(Graphic);
    if (graphic_) graphic_->OnChange = TNotifyEvent::Bind<&TPicture::GraphicChanged>(this);
    OnChange(this);
}

void TPicture::SetGraphic(TGraphic* Value) {
    if (Value == graphic_.get()) return;
    std::unique_ptr<TGraphic> copy;
    if (Value) {
        copy = Value->CreateNew();
        copy->Assign(Value);
    }
    Adopt(std::move(copy));
}

TBitmap* TPicture::Bitmap() {
    if (!graphic_ || !graphic_->Is<TBitmap>()) Adopt(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(graphic_.get());
}

void TPicture::SetBitmap(TBitmap* Value) { SetGraphic(Value); }

int TPicture::Width() const { return graphic_ ? graphic_->Width() : 0; }
int TPicture::Height() const { return graphic_ ? graphic_->Height() : 0; }

void TPicture::Assign(TPersistent* Source) {
    if (!Source) {
        SetGraphic(nullptr);
    } else if (auto* p = dynamic_cast<TPicture*>(Source)) {
        if (p != this) SetGraphic(p->Graphic());
    } else if (auto* g = dynamic_cast<TGraphic*>(Source)) {
        SetGraphic(g);
    } else {
        TPersistent::Assign(Source);
    }
}

// A graphic of the destination's own class takes the picture's graphic.
void TPicture::AssignTo(TPersistent* Dest) {
    if (graphic_ && Dest && typeid(*graphic_) == typeid(*Dest)) {
        Dest->Assign(graphic_.get());
        return;
    }
    TPersistent::AssignTo(Dest);
}

void TPicture::LoadFromFile(const std::string& FileName) {
    std::string ext = ExtractFileExt(FileName);
    if (!ext.empty()) ext.erase(0, 1);
    const std::string key = LowerCase(ext);
    for (const TGraphicFormat& f : Formats()) {
        if (f.Extension != key) continue;
        std::unique_ptr<TGraphic> graphic = f.Create();
        graphic->LoadFromFile(FileName);
        Adopt(std::move(graphic));
        return;
    }
    throw EInvalidGraphic(Format("Unknown picture file extension (.%s)", ext));
}

void TPicture::SaveToFile(const std::string& FileName) {
    if (graphic_) graphic_->SaveToFile(FileName);
}
