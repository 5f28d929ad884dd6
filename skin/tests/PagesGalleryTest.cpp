// Each style's tab strip with more tabs than fit (the right scroll button
// under the pointer) above a page control with a hidden tab. The picture of
// each style goes to the folder named by SKIN_GALLERY_DIR, when it is set.
#include "SkinPageControl.h"

#include "Bitmap.h"
#include "Form.h"
#include "Label.h"
#include "Pump.h"
#include "WindowShot.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

class TGalleryTab : public TskTab {
public:
    TskTabControlTopPanel* CreateTopPanel() override { return Create<TskTabControlTopPanel>(this, this); }
};

void SaveWindow(HWND Window, const std::string& FileName) {
    TBitmap shot;
    ShootWindow(Window, shot);
    shot.SaveToFile(FileName);
}

TEST(PagesGallery, EveryStyleShowsScrollButtonsWithOneHotAndAPageControlWithAHiddenTab) {
    for (TskUIStyle style : {TskUIStyle::WinXP, TskUIStyle::MacOS, TskUIStyle::DeepBlue, TskUIStyle::Protein,
                             TskUIStyle::BlueGlass}) {
        const std::string name(UIStyleName(style));
        SCOPED_TRACE(name);
        TOwned<TForm> form = CreateOwned<TForm>();
        form->SetBounds(30, 30, 520, 300);
        form->SetCaption("Pages " + name);
        auto* strip = Create<TGalleryTab>(form.get());
        strip->SetParent(form.get());
        strip->SetBounds(10, 10, 480, 60);
        strip->SetUIStyle(style);
        strip->TopPanel()->Tabs()->Clear();
        for (int i = 1; i <= 15; ++i) strip->TopPanel()->Tabs()->Add("Movie " + std::to_string(i));
        strip->TopPanel()->SetTabIndex(1);

        auto* pc = Create<TskPageControl>(form.get());
        pc->SetParent(form.get());
        pc->SetBounds(10, 80, 480, 170);
        pc->SetUIStyle(style);
        const char* captions[] = {"Information", "Flash Movies", "Settings", "Output"};
        for (const char* caption : captions) {
            auto* sheet = Create<TskTabSheet>(form.get());
            sheet->SetCaption(caption);
            sheet->SetParent(pc);
            auto* label = Create<TLabel>(form.get());
            label->SetCaption(std::string("This is the page ") + caption);
            label->SetBounds(12, 12, 300, 16);
            label->SetParent(sheet);
        }
        pc->Pages(2)->SetTabVisible(false);
        pc->SetActivePageIndex(1);
        form->Show();
        PumpFor(100);

        TskTabControlTopPanel* top = strip->TopPanel();
        POINT p{top->Width() - 2 - top->ScrollButtonWidth() / 2, top->TabHeight() / 2};
        ClientToScreen(top->Handle(), &p);
        SetCursorPos(p.x, p.y);
        top->Repaint();
        pc->Repaint();
        PumpFor(100);
        EXPECT_TRUE(top->ShowScrollButtons());
        EXPECT_EQ(top->HotScrollButton(), 1);
        EXPECT_EQ(pc->TopPanel()->TabRect(2), TRect{});
        EXPECT_EQ(pc->TopPanel()->TabRect(3).Left, pc->TopPanel()->TabRect(1).Right);
        // The active page is the sheet window in front, though its window
        // was made before those of the pages behind it.
        HWND front = nullptr;
        for (HWND w = GetWindow(pc->Handle(), GW_CHILD); w && !front; w = GetWindow(w, GW_HWNDNEXT))
            for (int i = 0; i < pc->PageCount(); ++i)
                if (pc->Pages(i)->Handle() == w) front = w;
        EXPECT_EQ(front, pc->Pages(1)->Handle());
        if (const char* dir = std::getenv("SKIN_GALLERY_DIR"))
            SaveWindow(form->Handle(), std::string(dir) + "\\pages-" + name + ".bmp");
        form->Hide();
    }
}

}  // namespace
