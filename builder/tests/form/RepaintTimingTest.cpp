// How long a full repaint of the builder's main window takes, frame included,
// against the same window made of plain library controls, in one run. The
// skinned window draws its frame, menu bar, pages and controls itself; the
// target is at most three times the plain window's time on every page. The figures are printed
// and do not decide the run: one run on a shared machine is noisy.
//
// The plain window is a frozen copy of the main window's description from
// before it had a skinned frame (PlainMainForm.form), read into a bare form
// with its event lines left out, so that later changes of the main window's
// class cannot break it.

#include "FormReader.h"
#include "Image.h"
#include "WindowFixture.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

constexpr double MaxRatio = 3.0;
constexpr int Samples = 50;
constexpr int Pages = 4;

// The frozen description with its root made a bare form and its handlers
// dropped: only what is drawn stays.
std::string PlainDescription() {
    std::ifstream in(WinePath(TESSALOOM_PLAIN_FORM), std::ios::binary);
    EXPECT_TRUE(in) << "cannot read " << TESSALOOM_PLAIN_FORM;
    std::string text, line;
    bool root = true;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t first = line.find_first_not_of(' ');
        if (first != std::string::npos && line.compare(first, 2, "On") == 0 && line.find(" = ", first) != std::string::npos)
            continue;
        if (root && first == 0 && line.find(": TMainForm") != std::string::npos) {
            line = "MainForm: TForm";
            root = false;
        }
        text += line + '\n';
    }
    EXPECT_FALSE(root) << "the fixture has no TMainForm root";
    return text;
}

// Repaints the whole window, frame and children included, and lets every
// message the painting posted run before the clock stops.
double RepaintMs(HWND Window) {
    const auto start = std::chrono::steady_clock::now();
    RedrawWindow(Window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    GdiFlush();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> Values) {
    std::sort(Values.begin(), Values.end());
    const size_t n = Values.size();
    return n % 2 ? Values[n / 2] : (Values[n / 2 - 1] + Values[n / 2]) / 2;
}

using RepaintTiming = MainWindow;

TEST_F(RepaintTiming, SkinnedMainWindowAgainstPlainControls) {
    auto plain = CreateOwned<TForm>();
    ReadFormDescriptionText(plain.get(), PlainDescription(), "MainForm");
    // The main window shows its logo from its OnShow handler, which the bare
    // form lacks: give it the same picture, so both draw the same content.
    auto* plainLogo = dynamic_cast<TImage*>(plain->FindComponent("LogoPanel"));
    ASSERT_NE(plainLogo, nullptr);
    plainLogo->Picture()->LoadFromFile(form->LogoPath());
    plain->Show();
    PumpFor(100);

    // Side by side, so that neither covers a part of the other.
    SetWindowPos(form->Handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(plain->Handle(), nullptr, 640, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpFor(100);
    RECT skinnedRect{}, plainRect{};
    GetWindowRect(form->Handle(), &skinnedRect);
    GetWindowRect(plain->Handle(), &plainRect);
    ASSERT_LE(skinnedRect.right, plainRect.left) << "the windows overlap";

    auto* skinnedPages = Find<TskPageControl>("skPageControl1");
    auto* plainPages = dynamic_cast<TPageControl*>(plain->FindComponent("skPageControl1"));
    ASSERT_TRUE(skinnedPages && plainPages);
    ASSERT_EQ(skinnedPages->PageCount(), Pages);
    ASSERT_EQ(plainPages->PageCount(), Pages);

    double worst = 0, skinnedSum = 0, plainSum = 0;
    for (int page = 0; page < Pages; ++page) {
        skinnedPages->SetActivePageIndex(page);
        plainPages->SetActivePageIndex(page);
        PumpFor(50);
        ASSERT_EQ(skinnedPages->ActivePage(), skinnedPages->Pages(page));
        ASSERT_EQ(plainPages->ActivePageIndex(), page);
        // One repaint of each first, so that neither pays for a first
        // drawing (fonts, bitmaps made on demand) within the samples.
        RepaintMs(form->Handle());
        RepaintMs(plain->Handle());
        // Taken in turns, so that a busy moment of the machine falls on both.
        std::vector<double> skinned, bare;
        for (int i = 0; i < Samples; ++i) {
            skinned.push_back(RepaintMs(form->Handle()));
            bare.push_back(RepaintMs(plain->Handle()));
        }
        const double s = Median(skinned), p = Median(bare), ratio = s / p;
        worst = std::max(worst, ratio);
        skinnedSum += s;
        plainSum += p;
        std::printf("repaint timing: page %d (%s): skinned %.2f ms, plain %.2f ms, ratio %.2f\n", page + 1,
                    skinnedPages->Pages(page)->Caption().c_str(), s, p, ratio);
    }
    std::printf("repaint timing: all four pages: skinned %.2f ms, plain %.2f ms (medians of %d)\n", skinnedSum, plainSum,
                Samples);
    std::printf("repaint ratio: %.2f on the slowest page (target at most %.1f)\n", worst, MaxRatio);
    std::fflush(stdout);
    plain.reset();
}

}  // namespace
