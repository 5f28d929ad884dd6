// A picture in a form description is one binary block: a length byte and
// the graphic's class name ("TBitmap", "TJPEGImage", "TIcon"), then the
// graphic's own file data as its LoadFromStream reads it. An empty block
// is an empty picture.

#include "Filer.h"
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
