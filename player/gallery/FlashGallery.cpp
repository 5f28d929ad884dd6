// Shows each movie named on the command line in the player control, as the
// builder's preview does, and saves what the screen shows of its first frame
// as a bitmap: once at the preview's size and once at 640 x 480.
//
//   flash_gallery <output folder> <movie.swf>...
#include "Application.h"
#include "Bitmap.h"
#include "Form.h"
#include "ShockwaveFlash.h"
#include "TypInfo.h"

#include <cstdio>
#include <string>
#include <tuple>

namespace {

void PumpFor(DWORD Milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < Milliseconds) {
        Application->ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

std::string BaseName(const std::string& Path) {
    const auto slash = Path.find_last_of("\\/");
    std::string name = slash == std::string::npos ? Path : Path.substr(slash + 1);
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

void Capture(TShockwaveFlash* Flash, const std::string& File) {
    const TPoint origin = Flash->ClientOrigin();
    TBitmap shot;
    shot.SetSize(Flash->Width(), Flash->Height());
    HDC screen = GetDC(nullptr);
    BitBlt(shot.Canvas()->Handle(), 0, 0, Flash->Width(), Flash->Height(), screen, origin.X, origin.Y, SRCCOPY);
    ReleaseDC(nullptr, screen);
    shot.SaveToFile(File);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: flash_gallery <output folder> <movie.swf>...\n");
        return 2;
    }
    const std::string out = std::string(argv[1]) + "\\";
    int failures = 0;
    try {
        auto form = CreateOwned<TForm>();
        form->SetBorderStyle(bsNone);
        form->SetFormStyle(fsStayOnTop);
        form->SetColor(clBtnFace);
        auto* flash = Create<TShockwaveFlash>(form.get());
        flash->SetParent(form.get());
        flash->SetAlign(alClient);
        SetStrProp(flash, "WMode", "Window");
        SetStrProp(flash, "Quality2", "High");
        SetStrProp(flash, "Scale", "ShowAll");
        form->Show();
        for (int i = 2; i < argc; ++i) {
            const std::string movie = argv[i];
            for (auto [w, h, tag] : {std::tuple{326, 326, "preview"}, std::tuple{640, 480, "640x480"}}) {
                form->SetBounds(0, 0, w, h);
                // The builder's thumbnail sequence.
                flash->SetMovie(movie);
                flash->GotoFrame(0);
                flash->Stop();
                flash->SetLoop(false);
                PumpFor(300);
                const std::string file = out + BaseName(movie) + "-" + tag + ".bmp";
                Capture(flash, file);
                std::printf("%s: %d frames, status %s -> %s\n", movie.c_str(), flash->TotalFrames(),
                            SwfStatusText(flash->MovieStatus()), file.c_str());
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "flash_gallery: %s\n", e.what());
        ++failures;
    }
    return failures ? 1 : 0;
}
