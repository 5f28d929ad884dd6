#include "SystemLogoDecoder.h"

#include "ComScope.h"
#include "Exceptions.h"
#include "IconFile.h"

#include <windows.h>
#include <wincodec.h>

#include <cstdint>
#include <vector>

namespace {

// The screensaver's JPEG loader refuses pictures larger than this.
constexpr UINT MaxSide = 32768;
constexpr std::uint64_t MaxPixels = std::uint64_t(1) << 28;
// Rows converted per call: enough to keep the calls few, little enough that
// a large picture never needs its whole size in memory here.
constexpr UINT RowsPerStrip = 64;

bool Decodes(IWICImagingFactory* Factory, const void* Data, std::size_t Size) {
    TComPtr<IWICStream> stream;
    if (FAILED(Factory->CreateStream(stream.Put())) ||
        FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(Data)), static_cast<DWORD>(Size))))
        return false;
    // The JPEG decoder itself, as the loader asks for it: another format
    // behind a ".jpg" name is refused there too.
    TComPtr<IWICBitmapDecoder> decoder;
    TComPtr<IWICBitmapFrameDecode> frame;
    TComPtr<IWICFormatConverter> converter;
    if (FAILED(Factory->CreateDecoder(GUID_ContainerFormatJpeg, nullptr, decoder.Put())) ||
        FAILED(decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnDemand)) ||
        FAILED(decoder->GetFrame(0, frame.Put())) || FAILED(Factory->CreateFormatConverter(converter.Put())) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr,
                                     0.0, WICBitmapPaletteTypeCustom)))
        return false;
    UINT width = 0, height = 0;
    if (FAILED(converter->GetSize(&width, &height))) return false;
    if (width == 0 || height == 0 || width > MaxSide || height > MaxSide ||
        std::uint64_t(width) * height > MaxPixels)
        return false;
    const UINT stride = width * 4;
    std::vector<BYTE> rows(static_cast<std::size_t>(stride) * RowsPerStrip);
    for (UINT top = 0; top < height; top += RowsPerStrip) {
        const UINT count = height - top < RowsPerStrip ? height - top : RowsPerStrip;
        const WICRect strip{0, static_cast<INT>(top), static_cast<INT>(width), static_cast<INT>(count)};
        if (FAILED(converter->CopyPixels(&strip, stride, stride * count, rows.data()))) return false;
    }
    return true;
}

}  // namespace

bool TSystemLogoDecoder::JpegDecodes(const void* Data, std::size_t Size) const {
    if (Size == 0 || Size > 0x7FFFFFFF) return false;
    TComScope com;
    TComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.Put()))))
        return false;
    return Decodes(factory.Get(), Data, Size);
}

bool TSystemLogoDecoder::IconDecodes(const void* Data, std::size_t Size) const {
    const auto* bytes = static_cast<const std::uint8_t*>(Data);
    TIconImage image;
    try {
        image = ChooseIconImage(bytes, Size, GetSystemMetrics(SM_CXICON));
    } catch (const Exception&) {
        return false;
    }
    HICON icon = CreateIconFromResourceEx(const_cast<PBYTE>(bytes + image.Offset), static_cast<DWORD>(image.Size),
                                          TRUE, 0x00030000, 0, 0, LR_DEFAULTCOLOR);
    if (!icon) return false;
    DestroyIcon(icon);
    return true;
}
