// The count of GDI objects held by the handle wrappers, which leak checks use
// where the system keeps no count of its own.
#include "Brush.h"
#include "GraphicsHandles.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

HBRUSH NewBrush() { return CreateSolidBrush(RGB(1, 2, 3)); }

TEST(LiveGdiObjects, CountsWhatTheWrappersHoldThroughResetMoveAndRelease) {
    const long start = LiveGdiObjects();
    {
        TGdiObject<HBRUSH> a(NewBrush());
        EXPECT_EQ(LiveGdiObjects(), start + 1);
        a.Reset(a.Get());  // the same object again: nothing changes
        EXPECT_EQ(LiveGdiObjects(), start + 1);
        a.Reset(NewBrush());  // one deleted, one taken
        EXPECT_EQ(LiveGdiObjects(), start + 1);

        TGdiObject<HBRUSH> b(std::move(a));  // handed over, not made
        EXPECT_EQ(LiveGdiObjects(), start + 1);
        TGdiObject<HBRUSH> c(NewBrush());
        EXPECT_EQ(LiveGdiObjects(), start + 2);
        c = std::move(b);  // c's own object goes, b's comes
        EXPECT_EQ(LiveGdiObjects(), start + 1);

        HBRUSH released = c.Release();
        EXPECT_EQ(LiveGdiObjects(), start);
        DeleteObject(released);
        TGdiObject<HBRUSH> empty(nullptr);
        EXPECT_EQ(LiveGdiObjects(), start);
        c.Reset(NewBrush());
    }
    EXPECT_EQ(LiveGdiObjects(), start);
}

TEST(LiveGdiObjects, ABrushHoldsOneObjectHoweverOftenItChanges) {
    const long start = LiveGdiObjects();
    {
        TBrush brush;
        for (int i = 0; i < 100; ++i) {
            brush.SetColor(static_cast<TColor>(i));
            brush.Handle();
        }
        EXPECT_EQ(LiveGdiObjects(), start + 1);
    }
    EXPECT_EQ(LiveGdiObjects(), start);
}

}  // namespace
