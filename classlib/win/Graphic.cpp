#include "Graphic.h"

#include "Exceptions.h"
#include "FileStream.h"

void TGraphic::SetTransparent(bool Value) {
    if (Value == transparent_) return;
    transparent_ = Value;
    Changed();
}

void TGraphic::SaveToStream(TStream*) { throw EInvalidGraphic(ClassName() + " cannot be saved"); }

void TGraphic::LoadFromFile(const std::string& FileName) {
    TFileStream stream(FileName, fmOpenRead | fmShareDenyNone);
    LoadFromStream(&stream);
}

void TGraphic::SaveToFile(const std::string& FileName) {
    TFileStream stream(FileName, fmCreate);
    SaveToStream(&stream);
}

std::string ReadRestOfStream(TStream* Stream) {
    const std::int64_t left = Stream->Size() - Stream->Position();
    std::string bytes(left > 0 ? static_cast<size_t>(left) : 0, '\0');
    if (!bytes.empty()) Stream->ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    return bytes;
}
