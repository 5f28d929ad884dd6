// How much an attached skinned bar costs when scrolling a memo: a 10,000-line
// memo scrolled from top to bottom in 200 steps of its skinned bar, against
// the same 200 scroll messages sent to a memo without bars, in the same run.
// Reported (the target is a ratio of at most 2); the test fails only when
// the scrolling does not arrive where it should.
#include "SkinControlFixture.h"
#include "SkinMemo.h"
#include "SkinScrollBar.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

std::string NumberedLines(int Count) {
    std::string text;
    for (int i = 0; i < Count; ++i) text += "line " + std::to_string(i) + "\r\n";
    return text;
}

double Seconds(LARGE_INTEGER From, LARGE_INTEGER To) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(To.QuadPart - From.QuadPart) / static_cast<double>(f.QuadPart);
}

class SkinScrollTiming : public SkinControlsTest {};

TEST_F(SkinScrollTiming, SkinnedBarAgainstPlainScrollMessages) {
    constexpr int kSteps = 200;
    auto* skinned = Add<TskMemo>(10, 10, 250, 300);
    auto* plain = Add<TskMemo>(280, 10, 250, 300);
    for (TskMemo* m : {skinned, plain}) {
        m->SetWordWrap(false);
        m->Lines()->SetText(NumberedLines(10000));
    }
    plain->SetScrollBars(ssVertical);
    auto* bar = Add<TskScrollBar>(0, 0, 17, 100);
    skinned->SetVScrollBar(bar);
    PumpFor(100);
    const int last = bar->Max();
    ASSERT_GT(last, 9000);
    auto target = [&](int Step) { return static_cast<int>(static_cast<long long>(last) * Step / kSteps); };

    double best[2] = {1e9, 1e9};
    for (int round = 0; round < 3; ++round) {
        for (TskMemo* m : {skinned, plain}) SendMessageA(m->Handle(), WM_VSCROLL, SB_TOP, 0);
        PumpFor(50);
        LARGE_INTEGER t0, t1, t2;
        QueryPerformanceCounter(&t0);
        for (int i = 1; i <= kSteps; ++i) {
            bar->SetPosition(target(i));
            UpdateWindow(skinned->Handle());
            UpdateWindow(bar->Handle());
        }
        QueryPerformanceCounter(&t1);
        for (int i = 1; i <= kSteps; ++i) {
            SendMessageA(plain->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, target(i)), 0);
            UpdateWindow(plain->Handle());
        }
        QueryPerformanceCounter(&t2);
        best[0] = std::min(best[0], Seconds(t0, t1));
        best[1] = std::min(best[1], Seconds(t1, t2));
        ASSERT_EQ(SendMessageA(skinned->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), last);
        ASSERT_EQ(SendMessageA(plain->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), last);
    }
    std::printf("skinned bar scrolling: %.1f ms for %d steps\n", best[0] * 1000, kSteps);
    std::printf("plain scroll messages: %.1f ms for %d steps\n", best[1] * 1000, kSteps);
    std::printf("skinned bar scroll ratio: %.2f (target at most 2)\n", best[0] / best[1]);
}

}  // namespace
