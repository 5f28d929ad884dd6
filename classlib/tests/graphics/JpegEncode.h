#pragma once
// Makes JPEG data for the tests with the imaging component's own encoder, from
// a bitmap's pixels, at the highest quality.

#include "Bitmap.h"

#include <windows.h>
#include <objbase.h>
#include <wincodec.h>

#include <string>

inline std::string EncodeJpeg(TBitmap& Source) {
    std::string out;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* factory = nullptr;
    IStream* stream = nullptr;
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    IPropertyBag2* props = nullptr;
    bool ok = SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) &&
              SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)) &&
              SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, &encoder)) &&
              SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
              SUCCEEDED(encoder->CreateNewFrame(&frame, &props));
    if (ok) {
        PROPBAG2 option{};
        option.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_R4;
        v.fltVal = 1.0f;
        props->Write(1, &option, &v);
        WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
        const UINT w = static_cast<UINT>(Source.Width()), h = static_cast<UINT>(Source.Height());
        ok = SUCCEEDED(frame->Initialize(props)) && SUCCEEDED(frame->SetSize(w, h)) &&
             SUCCEEDED(frame->SetPixelFormat(&format));
        if (ok && format != GUID_WICPixelFormat32bppBGR) {
            // The encoder wants 24-bit rows: repack.
            std::string rows;
            const UINT stride = (w * 3 + 3) & ~3u;
            rows.resize(size_t(stride) * h);
            for (UINT y = 0; y < h; ++y) {
                const uint32_t* src = Source.ScanLine(static_cast<int>(y));
                for (UINT x = 0; x < w; ++x) {
                    rows[y * stride + x * 3] = static_cast<char>(src[x]);
                    rows[y * stride + x * 3 + 1] = static_cast<char>(src[x] >> 8);
                    rows[y * stride + x * 3 + 2] = static_cast<char>(src[x] >> 16);
                }
            }
            ok = SUCCEEDED(frame->WritePixels(h, stride, static_cast<UINT>(rows.size()),
                                              reinterpret_cast<BYTE*>(rows.data())));
        } else if (ok) {
            ok = SUCCEEDED(frame->WritePixels(h, w * 4, w * 4 * h, reinterpret_cast<BYTE*>(Source.ScanLine(0))));
        }
        ok = ok && SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
    }
    if (ok) {
        HGLOBAL mem = nullptr;
        STATSTG stat{};
        if (SUCCEEDED(GetHGlobalFromStream(stream, &mem)) && SUCCEEDED(stream->Stat(&stat, STATFLAG_NONAME))) {
            const void* p = GlobalLock(mem);
            out.assign(static_cast<const char*>(p), static_cast<size_t>(stat.cbSize.QuadPart));
            GlobalUnlock(mem);
        }
    }
    if (props) props->Release();
    if (frame) frame->Release();
    if (encoder) encoder->Release();
    if (stream) stream->Release();
    if (factory) factory->Release();
    CoUninitialize();
    return out;
}
