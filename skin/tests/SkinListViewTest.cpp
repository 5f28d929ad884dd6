// The skinned list view with skinned scroll bars on a shown form: a bar's
// change scrolling by rows in the report view and by pixels in the icon
// view, bars hidden with their native bars, placement, and nothing done
// while the form loads. Also the list view's columns and AlphaSort.
#include "ScratchThemeFile.h"
#include "SkinControlFixture.h"
#include "SkinListView.h"
#include "SkinMemo.h"
#include "SkinScrollBar.h"
#include "ThemeKeys.h"

#include <commctrl.h>
#include <windows.h>

#include <string>

namespace {

class TRecordingList : public TskListView {
public:
    std::vector<WPARAM> VScrolls;

protected:
    void Dispatch(TMessage& Message) override {
        if (Message.Msg == WM_VSCROLL) VScrolls.push_back(Message.WParam);
        TskListView::Dispatch(Message);
    }
};

int CountOf(const std::vector<WPARAM>& Messages, WPARAM Message) {
    return static_cast<int>(std::count(Messages.begin(), Messages.end(), Message));
}

class SkinListViews : public SkinControlsTest {
protected:
    TRecordingList* List(TViewStyle Style, int Items, int Height = 150) {
        auto* l = Add<TRecordingList>(20, 20, 220, Height);
        l->SetViewStyle(Style);
        l->AddColumn("Name", 150);
        for (int i = 0; i < Items; ++i) l->Items()->Add()->SetCaption("item " + std::to_string(i));
        PumpFor(20);
        return l;
    }
    TskScrollBar* Bar() { return Add<TskScrollBar>(300, 300, 100, 17); }
    static int TopIndex(TskListView* L) { return static_cast<int>(SendMessageA(L->Handle(), LVM_GETTOPINDEX, 0, 0)); }
};

TEST_F(SkinListViews, OneArrowRepeatScrollsFiveRowsInTheReportView) {
    TRecordingList* l = List(vsReport, 100);
    TskScrollBar* v = Bar();
    l->SetVScrollBar(v);
    EXPECT_EQ(v->SmallChange(), 5);
    ASSERT_TRUE(v->Visible());
    l->VScrolls.clear();
    // Held about 40 + 110 ms: one repeat at 100 ms (a loaded machine may
    // deliver more; each repeat must still be five rows by five messages).
    LeftDown(v->ForwardButton(), 5, 5);
    PumpFor(110);
    LeftUp(v->ForwardButton(), 5, 5);
    const int rows = v->Position();
    EXPECT_GE(rows, 5);
    EXPECT_EQ(rows % 5, 0);
    EXPECT_EQ(CountOf(l->VScrolls, MAKEWPARAM(SB_LINEDOWN, 0)), rows);
    EXPECT_EQ(static_cast<int>(l->VScrolls.size()), rows);
    EXPECT_EQ(TopIndex(l), rows);
    if (rows != 5) std::printf("the arrow repeated %d times in about 150 ms\n", rows / 5);
    l->VScrolls.clear();
    v->SetPosition(rows - 3);  // a change of -3
    EXPECT_EQ(l->VScrolls, (std::vector<WPARAM>(3, MAKEWPARAM(SB_LINEUP, 0))));
    EXPECT_EQ(TopIndex(l), rows - 3);
}

TEST_F(SkinListViews, IconViewScrollsByPixels) {
    TRecordingList* l = List(vsIcon, 200);
    TskScrollBar* v = Bar();
    l->SetVScrollBar(v);
    ASSERT_TRUE(v->Visible());
    v->SetPosition(40);
    const int before = GetScrollPos(l->Handle(), SB_VERT);
    POINT origin{};
    SendMessageA(l->Handle(), LVM_GETORIGIN, 0, reinterpret_cast<LPARAM>(&origin));
    // Wine answers the origin as minus the scroll offset (Windows: plus).
    std::printf("icon view: scroll position %d, origin y %ld\n", before, origin.y);
    EXPECT_GT(before, 3);
    v->SetPosition(v->Position() - 3);  // a change of -3: three pixels up
    EXPECT_EQ(GetScrollPos(l->Handle(), SB_VERT), before - 3);
    EXPECT_EQ(v->Position(), before - 3);
    EXPECT_TRUE(l->VScrolls.empty()) << "the icon view scrolls without scroll messages";
}

TEST_F(SkinListViews, FittingContentsHideTheVerticalBar) {
    TRecordingList* l = List(vsReport, 100);
    TskScrollBar* v = Bar();
    TskScrollBar* h = Bar();
    l->SetVScrollBar(v);
    l->SetHScrollBar(h);
    SCROLLBARINFO info{};
    info.cbSize = sizeof(SCROLLBARINFO);
    GetScrollBarInfo(l->Handle(), OBJID_VSCROLL, &info);
    const DWORD overflowV = info.rgstate[0];
    GetScrollBarInfo(l->Handle(), OBJID_HSCROLL, &info);
    const DWORD fittingH = info.rgstate[0];
    EXPECT_TRUE(v->Visible());
    EXPECT_FALSE(h->Visible()) << "one 150-pixel column fits";
    // Vertical bar shown: the horizontal one leaves room for it.
    EXPECT_EQ(h->Width(), 220 - 2 - v->Width());
    while (l->Items()->Count() > 2) l->Items()->Delete(l->Items()->Count() - 1);
    l->SyncScrollBars();
    GetScrollBarInfo(l->Handle(), OBJID_VSCROLL, &info);
    std::printf("list view state words: vertical overflow %#lx, fitting %#lx; horizontal fitting %#lx\n", overflowV,
                info.rgstate[0], fittingH);
    EXPECT_FALSE(v->Visible());
    EXPECT_FALSE(v->Enabled());
    l->PlaceScrollBars();
    EXPECT_EQ(h->Width(), 220 - 2);
}

// The list view follows the memo's scheme here but for one step: both hand
// the style they resolved on to their bars and take their border colour
// from it, yet only the memo hands on its file theme.
TEST_F(SkinListViews, BarsTakeTheResolvedStyleOfBothHostsButTheFileThemeOnlyOfTheMemo) {
    const std::string name = ScratchThemeName("attached_bars");
    TskThemeFileWriter writer;
    writer.AddInteger("ControlBorderColor", 0x00345678);
    ASSERT_TRUE(WriteThemeFile(name, writer));
    auto* theme = Create<TskFileTheme>(form.get());
    theme->SetThemeFile(name);
    DeleteFileA(name.c_str());
    ASSERT_TRUE(theme->IsLoaded());
    auto* own = Create<TskFileTheme>(form.get());

    auto check = [&](auto* host, bool handsOnTheme) {
        TskScrollBar* v = Bar();
        TskScrollBar* h = Bar();
        v->SetFileTheme(own);
        h->SetFileTheme(own);
        host->SetVScrollBar(v);
        host->SetHScrollBar(h);
        const struct {
            TskFileTheme* theme;
            TskUIStyle style;
            TskUIStyle barStyle;
            TColor border;
        } steps[] = {
            {nullptr, TskUIStyle::WinXP, TskUIStyle::WinXP,
             BuiltInThemeColor(TskUIStyle::WinXP, TskThemeKey::ControlBorderColor)},
            {theme, TskUIStyle::WinXP, TskUIStyle::WinXP,
             BuiltInThemeColor(TskUIStyle::WinXP, TskThemeKey::ControlBorderColor)},
            {theme, TskUIStyle::FromThemeFile, TskUIStyle::FromThemeFile, 0x00345678},
            {nullptr, TskUIStyle::FromThemeFile, TskUIStyle::DeepBlue,
             BuiltInThemeColor(TskUIStyle::DeepBlue, TskThemeKey::ControlBorderColor)},
        };
        for (const auto& step : steps) {
            SCOPED_TRACE(host->ClassName() + " " + std::string(UIStyleName(step.style)) + (step.theme ? " with file" : ""));
            host->SetFileTheme(step.theme);
            host->SetUIStyle(step.style);
            EXPECT_EQ(host->BorderColor(), step.border);
            for (TskScrollBar* bar : {v, h}) {
                EXPECT_EQ(bar->UIStyle(), step.barStyle);
                EXPECT_EQ(bar->FileTheme(), handsOnTheme ? step.theme : own);
            }
        }
    };
    check(Add<TskMemo>(20, 20, 200, 100), true);
    check(Add<TskListView>(20, 20, 220, 150), false);
}

TEST_F(SkinListViews, NothingPlacedOrSyncedWhileLoading) {
    TRecordingList* l = List(vsReport, 100);
    TskScrollBar* v = Bar();
    l->Loading();
    l->SetVScrollBar(v);
    EXPECT_EQ(v->Left(), 300);
    EXPECT_EQ(v->Max(), 100) << "not synced";
    l->SetBounds(30, 30, 200, 140);
    EXPECT_EQ(v->Left(), 300);
    l->Loaded();
    l->PlaceScrollBars();
    EXPECT_EQ(v->Left(), 30 + 200 - v->Width() - 2);
    EXPECT_NE(v->Max(), 100);
}

TEST_F(SkinListViews, AListLowerThanItsHorizontalBarOnlyMovesTheBarsTop) {
    TRecordingList* l = List(vsReport, 3, 10);
    TskScrollBar* h = Bar();
    h->SetBounds(5, 200, 90, 17);
    ASSERT_GT(h->Height(), l->Height());
    l->SetHScrollBar(h);
    EXPECT_EQ(h->Top(), l->Top());
    EXPECT_EQ(h->Left(), 5);
    EXPECT_EQ(h->Width(), 90);
}

TEST_F(SkinListViews, ColumnsSurviveANewWindowAndAlphaSortOrdersListAndWindow) {
    TRecordingList* l = List(vsReport, 0);
    for (const char* c : {"pear", "Apple", "fig", "apple", "Banana"}) l->Items()->Add()->SetCaption(c);
    l->Items()->Item(4)->SetSelected(true);
    ASSERT_TRUE(l->AlphaSort());
    std::vector<std::string> list, window;
    char buffer[64];
    for (int i = 0; i < l->Items()->Count(); ++i) {
        list.push_back(l->Items()->Item(i)->Caption());
        ListView_GetItemText(l->Handle(), i, 0, buffer, sizeof buffer);
        window.push_back(buffer);
    }
    // Case-insensitive; equal captions keep their order.
    EXPECT_EQ(list, (std::vector<std::string>{"Apple", "apple", "Banana", "fig", "pear"}));
    EXPECT_EQ(window, list);
    EXPECT_EQ(l->Selected()->Caption(), "Banana");
    HWND header = ListView_GetHeader(l->Handle());
    EXPECT_EQ(Header_GetItemCount(header), 1);
    l->SetViewStyle(vsIcon);
    l->SetViewStyle(vsReport);
    EXPECT_EQ(l->ColumnCount(), 1);
    EXPECT_EQ(Header_GetItemCount(ListView_GetHeader(l->Handle())), 1);
    EXPECT_EQ(ListView_GetColumnWidth(l->Handle(), 0), 150);
}

}  // namespace

#include "SkinMemo.h"

namespace {

// The two rings of the frame as the screen shows them: BorderColor outside,
// Color inside, on every side, also after typing and scrolling.
TEST_F(SkinListViews, FramesShowTwoRingsOnScreenAfterTypingAndScrolling) {
    constexpr TColor border = 0x00686868;
    constexpr TColor inside = 0x00E8F0D0;
    auto* memo = Add<TskMemo>(20, 20, 200, 120);
    auto* list = List(vsReport, 60);
    list->SetBounds(260, 20, 200, 120);
    std::string text;
    for (int i = 0; i < 80; ++i) text += "row " + std::to_string(i) + "\r\n";
    memo->Lines()->SetText(text);
    for (TWinControl* c : std::initializer_list<TWinControl*>{memo, list}) {
        auto* m = dynamic_cast<TskMemo*>(c);
        auto* l = dynamic_cast<TskListView*>(c);
        if (m) m->SetBorderColor(border);
        if (l) l->SetBorderColor(border);
        c->SetColor(inside);
    }
    auto rings = [&](TWinControl* c, const char* when) {
        PumpFor(80);
        RECT r{};
        GetWindowRect(c->Handle(), &r);
        HDC screen = GetDC(nullptr);
        const int midX = (r.left + r.right) / 2, midY = (r.top + r.bottom) / 2;
        const POINT outer[] = {{r.left, midY}, {r.right - 1, midY}, {midX, r.top}, {midX, r.bottom - 1}};
        const POINT inner[] = {{r.left + 1, midY}, {r.right - 2, midY}, {midX, r.top + 1}, {midX, r.bottom - 2}};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(GetPixel(screen, outer[i].x, outer[i].y), static_cast<COLORREF>(border)) << when << " side " << i;
            EXPECT_EQ(GetPixel(screen, inner[i].x, inner[i].y), static_cast<COLORREF>(inside)) << when << " side " << i;
        }
        ReleaseDC(nullptr, screen);
    };
    rings(memo, "memo shown");
    rings(list, "list shown");
    TypeChars(memo->Handle(), "typed");
    rings(memo, "memo after typing");
    SendMessageA(memo->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    rings(memo, "memo after scrolling");
    SendMessageA(list->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    rings(list, "list after scrolling");
}

}  // namespace
