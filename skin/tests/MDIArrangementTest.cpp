// Tiling and cascading MDI children: sizes, the order (last child first),
// the room kept for minimised children and for the form's aligned bars.
#include "MDIArrangement.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using P = std::vector<TMDIChildPlace>;

TEST(MDIArrangement, CascadeStepsFromTheLastChild) {
    struct Case {
        int W, H;
        std::vector<bool> Minimized;
        P Expected;
    };
    const Case cases[] = {
        {1000, 500, {false, false, false}, {{2, 0, 0, 800, 300}, {1, 22, 22, 800, 300}, {0, 44, 44, 800, 300}}},
        {1000, 500, {false, true, false}, {{2, 0, 0, 800, 300}, {0, 22, 22, 800, 300}}},
        // Truncated: 80 % of 999 is 799.2, 60 % of 499 is 299.4; 60 % of 5 is exactly 3.
        {999, 499, {false}, {{0, 0, 0, 799, 299}}},
        {10, 5, {false}, {{0, 0, 0, 8, 3}}},
        {1000, 500, {true, true}, {}},
        {1000, 500, {}, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(CascadeMDIChildren(c.W, c.H, c.Minimized), c.Expected) << c.W << " x " << c.H;
}

TEST(MDIArrangement, TileSharesTheClientAreaAndKeepsARowForMinimisedChildren) {
    struct Case {
        const char* What;
        int W, H, Aligned;
        std::vector<bool> Minimized;
        bool Vertical;
        P Expected;
    };
    const Case cases[] = {
        {"vertical, one of three minimised", 1000, 500, 40, {false, true, false}, true,
         {{2, 0, 0, 498, 500 - 40 - 25 - 4}, {0, 498, 0, 498, 500 - 40 - 25 - 4}}},
        {"vertical, none minimised", 900, 400, 0, {false, false, false}, true,
         {{2, 0, 0, 298, 396}, {1, 298, 0, 298, 396}, {0, 596, 0, 298, 396}}},
        {"horizontal", 1000, 500, 40, {false, false, false}, false,
         {{2, 0, 0, 996, 151}, {1, 0, 151, 996, 151}, {0, 0, 302, 996, 151}}},
        {"horizontal, one minimised", 1000, 500, 40, {true, false}, false, {{1, 0, 0, 996, 433}}},
        {"all minimised", 1000, 500, 40, {true, true}, true, {}},
        {"no children", 1000, 500, 40, {}, false, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TileMDIChildren(c.W, c.H, c.Aligned, c.Minimized, c.Vertical), c.Expected) << c.What;
}

}  // namespace
