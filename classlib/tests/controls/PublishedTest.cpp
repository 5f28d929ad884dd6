// The controls are created by class name and publish every property that the
// programs' stored windows set on them, settable by name through the setters.
#include "Button.h"
#include "CheckBox.h"
#include "ControlsFixture.h"
#include "Edit.h"
#include "ListView.h"
#include "Memo.h"
#include "PageControl.h"

namespace {

class Published : public ControlsTest {};

TEST_F(Published, StoredPropertiesAreKnownByName) {
    const std::vector<std::pair<const char*, std::vector<const char*>>> table{
        {"TEdit", {"Left", "Top", "Width", "Height", "Text", "OnChange"}},
        {"TMemo", {"Left", "Top", "Width", "Height", "Enabled", "ReadOnly", "ScrollBars", "Lines", "WordWrap"}},
        {"TButton", {"Caption", "Default", "Cancel", "ModalResult", "Font", "ParentFont", "Hint", "ShowHint", "OnClick"}},
        {"TCheckBox", {"AutoSize", "Caption", "Checked", "State", "OnClick"}},
        {"TGroupBox", {"Caption", "Enabled", "Font", "ParentFont", "ParentColor"}},
        {"TPageControl", {"Align", "ActivePage"}},
        {"TTabSheet", {"Caption", "PageIndex", "TabVisible"}},
        {"TImage", {"AutoSize", "Align", "Cursor", "Stretch", "Center", "Transparent", "Picture", "OnClick"}},
        {"TListView", {"IconOptions", "LargeImages", "PopupMenu", "ReadOnly", "ViewStyle", "BorderStyle", "BorderWidth",
                       "OnDblClick"}},
        {"TToolBar", {"Flat", "EdgeBorders", "EdgeInner", "EdgeOuter", "ShowCaptions", "List", "Wrapable", "AutoSize",
                      "Images", "HotImages", "Transparent", "OnCustomDraw", "OnCustomDrawButton"}},
        {"TToolButton", {"Caption", "Enabled", "Grouped", "AutoSize", "Style", "ImageIndex", "MenuItem"}},
    };
    for (const auto& [className, props] : table) {
        const TClassInfo* info = FindClassInfo(className);
        ASSERT_NE(info, nullptr) << className;
        for (const char* p : props) EXPECT_NE(info->FindProperty(p), nullptr) << className << "." << p;
        TComponent* c = CreateComponentByClassName(className, form.get());
        EXPECT_EQ(c->ClassName(), className);
    }
    ASSERT_NE(FindClassInfo("TIconOptions"), nullptr);
    EXPECT_NE(FindClassInfo("TIconOptions")->FindProperty("AutoArrange"), nullptr);
}

TEST_F(Published, SettersRunWhenSetByName) {
    auto* memo = Add<TMemo>(form.get(), 10, 10, 200, 100);
    const TPropInfo* scroll = FindClassInfo("TMemo")->FindProperty("ScrollBars");
    ASSERT_EQ(scroll->Kind, tkEnumeration);
    scroll->SetOrd(memo, ssBoth);
    EXPECT_TRUE(GetWindowLongA(memo->Handle(), GWL_STYLE) & WS_VSCROLL);

    auto* button = Add<TButton>(form.get(), 10, 120, 75, 25);
    const TPropInfo* result = FindClassInfo("TButton")->FindProperty("ModalResult");
    ASSERT_NE(result->Idents, nullptr);
    result->SetOrd(button, mrCancel);
    EXPECT_EQ(button->ModalResult, mrCancel);

    auto* box = Add<TCheckBox>(form.get(), 10, 150, 100, 17);
    FindClassInfo("TCheckBox")->FindProperty("Checked")->SetOrd(box, 1);
    EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);

    // A sheet whose PageControl is set by name is inserted like one given the parent.
    auto* pc = Add<TPageControl>(form.get(), 220, 10, 200, 150);
    auto* sheet = Create<TTabSheet>(form.get());
    FindClassInfo("TTabSheet")->FindProperty("PageControl")->SetObj(sheet, pc);
    EXPECT_EQ(pc->PageCount(), 1);
    EXPECT_EQ(sheet->Parent(), pc);
}

}  // namespace
