#include "Jpeg.h"

#include "Canvas.h"
#include "ComScope.h"
#include "Exceptions.h"
#include "Streams.h"

#include <windows.h>
#include <objbase.h>
#include <wincodec.h>

#include <utility>

namespace {

[[noreturn]] void Invalid() { throw EInvalidGraphic("JPEG image is not valid"); }

void Check(HRESULT hr) {
    if (FAILED(hr)) Invalid();
}

}  // namespace

void TJPEGImage::LoadFromMemory(const void* Data, size_t Size) {
    if (Size == 0 || Size > 0x7FFFFFFF) Invalid();
    TComScope com;
    TComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.Put()))))
        throw EInvalidGraphic("The imaging component is not available");

    TComPtr<IWICStream> stream;
    Check(factory->CreateStream(stream.Put()));
    Check(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(Data)), static_cast<DWORD>(Size)));
    // The JPEG decoder itself, so that other formats behind a ".jpg" name are refused.
    TComPtr<IWICBitmapDecoder> decoder;
    Check(factory->CreateDecoder(GUID_ContainerFormatJpeg, nullptr, decoder.Put()));
    Check(decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnDemand));
    TComPtr<IWICBitmapFrameDecode> frame;
    Check(decoder->GetFrame(0, frame.Put()));
    TComPtr<IWICFormatConverter> converter;
    Check(factory->CreateFormatConverter(converter.Put()));
    Check(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                WICBitmapPaletteTypeCustom));
    UINT w = 0, h = 0;
    Check(converter->GetSize(&w, &h));
    if (w == 0 || h == 0 || w > 32768 || h > 32768 || uint64_t(w) * h > (uint64_t(1) << 28)) Invalid();

    TBitmap decoded;
    decoded.SetSize(static_cast<int>(w), static_cast<int>(h));
    const UINT stride = w * 4;
    Check(converter->CopyPixels(nullptr, stride, stride * h, reinterpret_cast<BYTE*>(decoded.ScanLine(0))));
    // No alpha in our bitmaps: the pixels look as GDI would have written them.
    for (UINT y = 0; y < h; ++y) {
        uint32_t* row = decoded.ScanLine(static_cast<int>(y));
        for (UINT x = 0; x < w; ++x) row[x] &= 0x00FFFFFF;
    }

    data_.assign(static_cast<const char*>(Data), Size);
    bitmap_.Assign(&decoded);
    Changed();
}

void TJPEGImage::LoadFromStream(TStream* Stream) {
    const std::string bytes = ReadRestOfStream(Stream);
    LoadFromMemory(bytes.data(), bytes.size());
}

void TJPEGImage::SaveToStream(TStream* Stream) {
    if (!data_.empty()) Stream->WriteBuffer(data_.data(), static_cast<std::int64_t>(data_.size()));
}

void TJPEGImage::Assign(TPersistent* Source) {
    if (auto* j = dynamic_cast<TJPEGImage*>(Source)) {
        if (j == this) return;
        data_ = j->data_;
        bitmap_.Assign(&j->bitmap_);
        SetTransparent(j->Transparent());
        Changed();
        return;
    }
    TGraphic::Assign(Source);
}

void TJPEGImage::AssignTo(TPersistent* Dest) {
    if (auto* b = dynamic_cast<TBitmap*>(Dest)) {
        b->Assign(&bitmap_);
        return;
    }
    TGraphic::AssignTo(Dest);
}

void TJPEGImage::Draw(TCanvas* ACanvas, const TRect& Rect) {
    if (bitmap_.Transparent() != Transparent()) bitmap_.SetTransparent(Transparent());
    ACanvas->StretchDraw(Rect, &bitmap_);
}
