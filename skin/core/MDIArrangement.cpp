#include "MDIArrangement.h"

#include <algorithm>

namespace {

// The row kept free at the bottom for minimised children.
constexpr int kMinimizedRow = 25;
constexpr int kCascadeStep = 22;

}  // namespace

std::vector<TMDIChildPlace> TileMDIChildren(int ClientWidth, int ClientHeight, int AlignedHeight,
                                            const std::vector<bool>& Minimized, bool Vertical) {
    std::vector<TMDIChildPlace> out;
    const int total = static_cast<int>(Minimized.size());
    const int n = static_cast<int>(std::count(Minimized.begin(), Minimized.end(), false));
    if (n == 0) return out;
    int h = ClientHeight - AlignedHeight;
    if (n < total) h -= kMinimizedRow;
    if (Vertical) {
        const int w = ClientWidth / n;
        int x = 0;
        for (int i = total - 1; i >= 0; --i) {
            if (Minimized[static_cast<size_t>(i)]) continue;
            out.push_back({i, x, 0, w - 2, h - 4});
            x += w - 2;
        }
    } else {
        h /= n;
        int y = 0;
        for (int i = total - 1; i >= 0; --i) {
            if (Minimized[static_cast<size_t>(i)]) continue;
            out.push_back({i, 0, y, ClientWidth - 4, h - 2});
            y += h - 2;
        }
    }
    return out;
}

std::vector<TMDIChildPlace> CascadeMDIChildren(int ClientWidth, int ClientHeight, const std::vector<bool>& Minimized) {
    std::vector<TMDIChildPlace> out;
    // Exact truncation of 80 % and 60 % in integers (a binary 0.8 can fall
    // just below a whole product).
    const int w = ClientWidth * 4 / 5;
    const int h = ClientHeight * 3 / 5;
    int x = 0, y = 0;
    for (int i = static_cast<int>(Minimized.size()) - 1; i >= 0; --i) {
        if (Minimized[static_cast<size_t>(i)]) continue;
        out.push_back({i, x, y, w, h});
        x += kCascadeStep;
        y += kCascadeStep;
    }
    return out;
}
