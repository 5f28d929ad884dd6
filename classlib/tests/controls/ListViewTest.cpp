// List views: items with captions and 128 x 128 images from an image list,
// selection and double click through the native window (the order of the
// events is compared with the expected one: a double click must be reported
// once, not by both the native notification and the mouse message), read-only
// captions, items that survive a new window, and the popup menu opened by a
// right click or from the keyboard.
#include "Bitmap.h"
#include "Canvas.h"
#include "ControlsFixture.h"
#include "ImageList.h"
#include "ListView.h"
#include "MenuDriver.h"
#include "Menus.h"

#include <commctrl.h>

#include <algorithm>

namespace {

struct TListEvents : public TRecorder {
    TListView* view = nullptr;
    void Click(TObject*) { Note("click"); }
    void DblClick(TObject*) { Note(std::string("dblclick ") + (view->Selected() ? view->Selected()->Caption() : "-")); }
    void SelectItem(TObject*, TListItem* Item, bool Selected) { Note((Selected ? "select " : "deselect ") + Item->Caption()); }
    void Play(TObject*) { Note(std::string("play ") + (view->Selected() ? view->Selected()->Caption() : "-")); }
};

class ListViews : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        images = Create<TImageList>(form.get(), 128, 128);
        for (TColor c : {clRed, clBlue}) {
            TBitmap shot;
            shot.SetSize(128, 128);
            shot.Canvas()->Brush()->SetColor(c);
            shot.Canvas()->FillRect(Rect(0, 0, 128, 128));
            images->Add(&shot);
        }
        view = Add<TListView>(form.get(), 10, 10, 360, 300);
        view->SetReadOnly(true);
        view->IconOptions()->SetAutoArrange(true);
        view->SetLargeImages(images);
        for (int i = 0; i < 3; ++i) {
            TListItem* item = view->Items()->Add();
            item->SetCaption("Movie " + std::to_string(i));
            item->SetImageIndex(i % 2);
        }
        events.view = view;
        view->OnClick = TNotifyEvent::Bind<&TListEvents::Click>(&events);
        view->OnDblClick = TNotifyEvent::Bind<&TListEvents::DblClick>(&events);
        view->OnSelectItem = TEvent<TObject*, TListItem*, bool>::Bind<&TListEvents::SelectItem>(&events);
        PumpFor(30);
    }
    RECT ItemRect(int Index, int Part = LVIR_BOUNDS) {
        RECT r{};
        r.left = Part;
        SendMessageA(view->Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r));
        return r;
    }
    void ClickItem(int Index, bool Double = false) {
        const RECT r = ItemRect(Index, LVIR_ICON);
        ClickAt(view->Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2, Double);
    }

    TImageList* images = nullptr;
    TListView* view = nullptr;
    TListEvents events;
};

TEST_F(ListViews, ItemsShowTheirLargeImages) {
    EXPECT_EQ(SendMessageA(view->Handle(), LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageA(view->Handle(), LVM_GETIMAGELIST, LVSIL_NORMAL, 0)), images->Handle());
    const RECT icon = ItemRect(1, LVIR_ICON);
    EXPECT_GE(icon.right - icon.left, 128);
    EXPECT_GE(icon.bottom - icon.top, 128);
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = 1;
    SendMessageA(view->Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.iImage, 1);
    const LONG style = GetWindowLongA(view->Handle(), GWL_STYLE);
    EXPECT_EQ(style & LVS_TYPEMASK, LVS_ICON);
    EXPECT_TRUE(style & LVS_AUTOARRANGE);
    EXPECT_FALSE(style & LVS_EDITLABELS);
}

TEST_F(ListViews, ClickSelectsAndDoubleClickIsReportedOnce) {
    ClickItem(1);
    ASSERT_NE(view->Selected(), nullptr);
    EXPECT_EQ(view->Selected()->Caption(), "Movie 1");
    ClickItem(0, true);
    EXPECT_EQ(view->Selected(), view->Items()->Item(0));
    const std::vector<std::string> expected{
        "select Movie 1", "click",
        "deselect Movie 1", "select Movie 0", "click", "dblclick Movie 0",
    };
    EXPECT_EQ(events.Log, expected);
}

TEST_F(ListViews, SelectedFromCodeAndSwappedItems) {
    view->SetSelected(view->Items()->Item(2));
    EXPECT_EQ(SendMessageA(view->Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 2);
    // Moving a movie up swaps caption and image of two items.
    TListItem* a = view->Items()->Item(1);
    TListItem* b = view->Items()->Item(2);
    const std::string caption = a->Caption();
    const int image = a->ImageIndex();
    a->SetCaption(b->Caption());
    a->SetImageIndex(b->ImageIndex());
    b->SetCaption(caption);
    b->SetImageIndex(image);
    char text[32] = {};
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = 2;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(view->Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, "Movie 1");
    EXPECT_EQ(item.iImage, 1);

    view->Items()->Delete(2);
    EXPECT_EQ(view->Selected(), nullptr);
    EXPECT_EQ(SendMessageA(view->Handle(), LVM_GETITEMCOUNT, 0, 0), 2);
    view->SetSelected(nullptr);
    EXPECT_EQ(view->SelCount(), 0);
}

TEST_F(ListViews, ReadOnlyCaptionsCannotBeEdited) {
    EXPECT_EQ(SendMessageA(view->Handle(), LVM_EDITLABELA, 0, 0), 0);
    view->SetReadOnly(false);
    HWND editor = reinterpret_cast<HWND>(SendMessageA(view->Handle(), LVM_EDITLABELA, 0, 0));
    ASSERT_NE(editor, nullptr);
    SetWindowTextA(editor, "Renamed");
    SendMessageA(view->Handle(), LVM_EDITLABELA, static_cast<WPARAM>(-1), 0);  // ends the edit, keeping the text
    PumpFor(30);
    EXPECT_EQ(view->Items()->Item(0)->Caption(), "Renamed");
}

TEST_F(ListViews, ItemsAndSelectionSurviveANewWindow) {
    view->SetSelected(view->Items()->Item(1));
    HWND before = view->Handle();
    view->SetViewStyle(vsReport);
    view->SetViewStyle(vsIcon);
    EXPECT_NE(view->Handle(), before);
    EXPECT_EQ(SendMessageA(view->Handle(), LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(view->Selected(), view->Items()->Item(1));
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageA(view->Handle(), LVM_GETIMAGELIST, LVSIL_NORMAL, 0)), images->Handle());
    // The image list going away leaves the view without images, not with a dangling one.
    images->Free();
    EXPECT_EQ(view->LargeImages(), nullptr);
    EXPECT_EQ(SendMessageA(view->Handle(), LVM_GETIMAGELIST, LVSIL_NORMAL, 0), 0);
}

TEST_F(ListViews, ScrollMovesTheContents) {
    for (int i = 0; i < 12; ++i) view->Items()->Add()->SetCaption("More " + std::to_string(i));
    PumpFor(30);
    const RECT before = ItemRect(0);
    view->Scroll(0, 60);
    PumpFor(30);
    const RECT after = ItemRect(0);
    EXPECT_LT(after.top, before.top);
}

TEST_F(ListViews, PopupMenuOpensOnARightClickAndFromTheKeyboard) {
    auto* menu = Create<TPopupMenu>(form.get());
    auto* play = Create<TMenuItem>(form.get());
    play->SetCaption("Play");
    play->OnClick = TNotifyEvent::Bind<&TListEvents::Play>(&events);
    menu->Items()->Add(play);
    view->SetPopupMenu(menu);
    ClickItem(1);
    events.Log.clear();
    auto playedOnce = [&] { return std::count(events.Log.begin(), events.Log.end(), "play Movie 1") == 1; };
    {
        // The menu opens where the pointer is.
        TMenuDriver user(menu->Handle(), play->Command());
        const RECT icon = ItemRect(1, LVIR_ICON);
        POINT at{(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2};
        RightClickAt(view->Handle(), at.x, at.y);
        EXPECT_TRUE(PumpUntil(playedOnce, 8000));
        EXPECT_TRUE(user.Found());
        ClientToScreen(view->Handle(), &at);
        EXPECT_EQ(user.Shown().left, at.x);
        EXPECT_EQ(user.Shown().top, at.y);
        PumpFor(100);
        EXPECT_TRUE(playedOnce()) << "one right click, one menu";
        EXPECT_EQ(menu->PopupComponent, view);
    }
    events.Log.clear();
    {
        // Shift+F10 opens it below the selected item.
        TMenuDriver user(menu->Handle(), play->Command());
        view->SetFocus();
        PumpFor(30);
        PressKeys({VK_SHIFT, VK_F10});
        EXPECT_TRUE(PumpUntil(playedOnce, 8000));
        EXPECT_TRUE(user.Found());
        const RECT icon = ItemRect(1, LVIR_ICON);
        POINT below{icon.left, icon.bottom};
        ClientToScreen(view->Handle(), &below);
        EXPECT_EQ(user.Shown().left, below.x);
        EXPECT_EQ(user.Shown().top, below.y);
    }
}

}  // namespace
