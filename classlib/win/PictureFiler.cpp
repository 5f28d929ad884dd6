// A picture in a form description is one binary block: a length byte and
// the graphic's class name ("TBitmap", "TJPEGImage", "TIcon"), then the
// graphic's own file data as its LoadFromStream reads it. An empty block
// is an empty picture. A bitmap published on its own (a button's glyph) is
// a 32-bit length and then that many bytes of bitmap file.

#include "Filer.h"
#include "Bitmap.h"
#include "Picture.h"
#include "Streams.h"

#include "Component.h"

void TPicture::DefineProperties(TFiler* Filer) {
    TPersistent::DefineProperties(Filer);
    Filer->DefineBinaryProperty("Data", [this](TStream& Stream) {
        if (Stream.Size() == 0) {
            SetGraphic(nullptr);
            return;
        }
        unsigned char length = 0;
        Stream.ReadBuffer(&length, 1);
        std::string className(length, '\0');
        if (length) Stream.ReadBuffer(className.data(), length);
        for (const TGraphicFormat& f : Formats()) {
            std::unique_ptr<TGraphic> graphic = f.Create();
            if (!SameName(graphic->ClassName(), className)) continue;
            graphic->LoadFromStream(&Stream);
            Adopt(std::move(graphic));
            return;
        }
        throw EReadError("Unknown picture class " + className);
    });
}

void TBitmap::DefineProperties(TFiler* Filer) {
    TGraphic::DefineProperties(Filer);
    Filer->DefineBinaryProperty("Data", [this](TStream& Stream) {
        const std::int64_t available = Stream.Size() - Stream.Position();
        if (available == 0) {
            SetSize(0, 0);
            return;
        }
        std::int32_t length = 0;
        if (available < 4) throw EReadError("Bitmap data too short");
        Stream.ReadBuffer(&length, 4);
        if (length < 0 || length > available - 4) throw EReadError("Bitmap data too short");
        const std::string bytes = ReadRestOfStream(&Stream);
        LoadFromMemory(bytes.data(), static_cast<size_t>(length));
    });
}
