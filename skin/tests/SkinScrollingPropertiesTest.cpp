// The scrolling controls as components: each publishes what its base
// controls offer for storing (the class library's share of the properties
// these controls list), and a stored description sets them, events included.
#include "FormReader.h"
#include "ImageList.h"
#include "SkinControlFixture.h"
#include "SkinListView.h"
#include "SkinMemo.h"
#include "SkinScrollBar.h"
#include "SkinTrackBar.h"

#include <string>
#include <vector>

namespace {

TEST(SkinScrollingProperties, InheritedOnesArePublishedAndTheMemosBorderIsNot) {
    const std::vector<std::string> common{"Align",         "Anchors", "Color",   "Enabled", "ParentColor",
                                          "ParentShowHint", "ShowHint", "Visible", "OnEnter", "OnExit"};
    const struct {
        const TClassInfo& info;
        std::vector<std::string> published;
        std::vector<std::string> hidden;
    } cases[] = {
        {TskScrollBar::StaticClassInfo(), {"Constraints", "PopupMenu", "OnChange"}, {}},
        {TskTrackBar::StaticClassInfo(),
         {"Alignment", "ParentFont", "TabOrder", "TabStop", "OnChange", "OnClick", "OnDblClick", "OnMouseDown",
          "OnMouseMove", "OnMouseUp", "OnResize", "BarImage", "SliderImage"},
         {}},
        {TskScrollTrackBar::StaticClassInfo(), {"Alignment", "TabStop", "OnChange", "Frequency"}, {}},
        {TskMemo::StaticClassInfo(),
         {"Alignment", "Constraints", "Font", "HideSelection", "Lines", "MaxLength", "ParentFont", "PopupMenu",
          "ReadOnly", "ScrollBars", "TabOrder", "TabStop", "WantReturns", "WantTabs", "WordWrap", "OnChange",
          "OnClick", "OnDblClick", "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnMouseDown", "OnMouseMove", "OnMouseUp"},
         {"BorderStyle"}},
        {TskListView::StaticClassInfo(),
         {"Action", "BorderStyle", "BorderWidth", "Constraints", "Font", "HideSelection", "IconOptions",
          "LargeImages", "MultiSelect", "ReadOnly", "ParentFont", "PopupMenu", "SmallImages", "TabOrder", "TabStop",
          "ViewStyle", "OnClick", "OnDblClick", "OnEdited", "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnMouseDown",
          "OnMouseMove", "OnMouseUp", "OnResize", "OnSelectItem"},
         {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> names = common;
        names.insert(names.end(), c.published.begin(), c.published.end());
        for (const std::string& name : names) {
            const TPropInfo* p = c.info.FindProperty(name);
            ASSERT_NE(p, nullptr) << c.info.Name() << "." << name;
            EXPECT_TRUE(p->Writable()) << c.info.Name() << "." << name;
        }
        for (const std::string& name : c.hidden) EXPECT_EQ(c.info.FindProperty(name), nullptr) << c.info.Name() << "." << name;
    }
}

// A form whose scrolling controls bind their events by name.
class TScrollingForm : public TForm {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info = DescribeClass<TScrollingForm, TForm>("TScrollingForm", [](auto& c) {
            c.template Handler<&TScrollingForm::Changed>("Changed");
            c.template Handler<&TScrollingForm::ItemSelected>("ItemSelected");
        });
        return info;
    }
    void Changed(TObject* Sender) { Senders.push_back(Sender); }
    void ItemSelected(TObject*, TListItem*, bool Selected) { Selections += Selected ? 1 : 0; }
    std::vector<TObject*> Senders;
    int Selections = 0;
};

TEST(SkinScrollingProperties, ADescriptionSetsTheInheritedOnesAndBindsTheEvents) {
    TScrollingForm::StaticClassInfo();
    TskScrollBar::StaticClassInfo();
    TskTrackBar::StaticClassInfo();
    TskMemo::StaticClassInfo();
    TskListView::StaticClassInfo();
    TImageList::StaticClassInfo();
    auto form = CreateOwned<TScrollingForm>();
    ReadFormDescriptionText(form.get(), R"(Form1: TScrollingForm
  Bar: TskScrollBar
    Left = 10
    Top = 10
    Width = 200
    Height = 17
    Max = 50
    Position = 20
    SmallChange = 4
    Enabled = False
    Visible = False
    OnChange = Changed
  end
  Track: TskTrackBar
    Left = 10
    Top = 40
    Width = 100
    Height = 30
    Orientation = skVertical
    Max = 20
    Position = 7
    Frequency = 5
    Alignment = taLeftJustify
    TabStop = False
    Color = clRed
    OnChange = Changed
  end
  Memo: TskMemo
    Left = 10
    Top = 120
    Width = 150
    Height = 80
    Alignment = taCenter
    HideSelection = False
    Lines.Strings = ("one" "" "three")
    MaxLength = 40
    ReadOnly = True
    ScrollBars = ssVertical
    WantTabs = True
    WantReturns = False
    WordWrap = False
    TabOrder = 0
    OnChange = Changed
  end
  List: TskListView
    Left = 200
    Top = 120
    Width = 150
    Height = 80
    BorderStyle = bsSingle
    HideSelection = False
    IconOptions.AutoArrange = True
    LargeImages = Images
    MultiSelect = True
    ReadOnly = True
    SmallImages = Images
    ViewStyle = vsReport
    OnSelectItem = ItemSelected
  end
  Images: TImageList
  end
end
)",
                            "Form1");
    auto* bar = dynamic_cast<TskScrollBar*>(form->FindComponent("Bar"));
    auto* track = dynamic_cast<TskTrackBar*>(form->FindComponent("Track"));
    auto* memo = dynamic_cast<TskMemo*>(form->FindComponent("Memo"));
    auto* list = dynamic_cast<TskListView*>(form->FindComponent("List"));
    auto* images = dynamic_cast<TImageList*>(form->FindComponent("Images"));
    ASSERT_TRUE(bar && track && memo && list && images);

    EXPECT_EQ(bar->Max(), 50);
    EXPECT_EQ(bar->Position(), 20);
    EXPECT_EQ(bar->SmallChange(), 4);
    EXPECT_FALSE(bar->Enabled());
    EXPECT_FALSE(bar->Visible());

    EXPECT_EQ(track->Orientation(), skVertical);
    EXPECT_EQ(track->Max(), 20);
    EXPECT_EQ(track->Position(), 7);
    EXPECT_EQ(track->Frequency(), 5);
    EXPECT_EQ(track->Alignment(), taLeftJustify);
    EXPECT_FALSE(track->TabStop());
    EXPECT_EQ(track->Color(), clRed);

    EXPECT_EQ(memo->Alignment(), taCenter);
    EXPECT_FALSE(memo->HideSelection());
    EXPECT_EQ(memo->Lines()->Count(), 3);
    EXPECT_EQ(memo->Lines()->Strings(2), "three");
    EXPECT_EQ(memo->MaxLength(), 40);
    EXPECT_TRUE(memo->ReadOnly());
    EXPECT_EQ(memo->ScrollBars(), ssVertical);
    EXPECT_TRUE(memo->WantTabs);
    EXPECT_FALSE(memo->WantReturns);
    EXPECT_FALSE(memo->WordWrap());
    EXPECT_EQ(memo->BorderStyle(), bsNone) << "the skin's border whatever is stored";

    EXPECT_EQ(list->BorderStyle(), bsSingle);
    EXPECT_FALSE(list->HideSelection());
    EXPECT_TRUE(list->IconOptions()->AutoArrange());
    EXPECT_EQ(list->LargeImages(), images);
    EXPECT_EQ(list->SmallImages(), images);
    EXPECT_TRUE(list->MultiSelect());
    EXPECT_TRUE(list->ReadOnly());
    EXPECT_EQ(list->ViewStyle(), vsReport);

    // The bound events: the scroll bar's is its track's, so the track is
    // the sender. The memo and the list report through their windows.
    form->Show();
    PumpFor(30);
    form->Senders.clear();
    bar->SetPosition(30);
    track->SetPosition(9);
    memo->SetSelText("four");
    const std::vector<TObject*> expected{bar->Track(), track, memo};
    EXPECT_EQ(form->Senders, expected);
    list->Items()->Add()->SetCaption("item");
    list->Items()->Item(0)->SetSelected(true);
    EXPECT_EQ(form->Selections, 1);
}

}  // namespace
