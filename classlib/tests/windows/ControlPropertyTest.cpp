// Controls by name: their published properties (with sub-objects such as
// Font and Constraints), creation by class name and events bound to a form's
// handlers.
#include "Form.h"
#include "Label.h"
#include "Panel.h"
#include "Timer.h"
#include "TypInfo.h"

#include <gtest/gtest.h>

namespace {

class TSetupForm : public TForm {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info = DescribeClass<TSetupForm, TForm>("TSetupForm", [](auto& c) {
            c.template Handler<&TSetupForm::CancelBtnClick>("CancelBtnClick");
            c.template Handler<&TSetupForm::FormCloseQuery>("FormCloseQuery");
            c.template Handler<&TSetupForm::TimerTimer>("TimerTimer");
        });
        return info;
    }
    void CancelBtnClick(TObject* Sender) { clicked = Sender; }
    void FormCloseQuery(TObject*, bool& CanClose) { CanClose = false; }
    void TimerTimer(TObject*) {}
    TObject* clicked = nullptr;
};

TEST(ControlProperties, ScalarsEnumerationsSetsAndColoursByName) {
    auto p = CreateOwned<TPanel>();
    SetPropText(p.get(), "Align", "alBottom");
    SetPropText(p.get(), "Anchors", "[akTop,akRight]");
    SetPropText(p.get(), "Color", "clBlue");
    SetPropText(p.get(), "BevelOuter", "bvLowered");
    SetPropText(p.get(), "BorderWidth", "1");
    SetPropText(p.get(), "Caption", "Hello");
    SetPropText(p.get(), "Cursor", "crHandPoint");
    SetPropText(p.get(), "Hint", "Add");
    EXPECT_EQ(p->Align(), alBottom);
    EXPECT_EQ(p->Anchors(), (TAnchors{akTop, akRight}));
    EXPECT_EQ(p->Color(), clBlue);
    EXPECT_EQ(p->BevelOuter(), bvLowered);
    EXPECT_EQ(p->BorderWidth(), 1);
    EXPECT_EQ(p->Caption(), "Hello");
    EXPECT_EQ(p->Cursor(), crHandPoint);
    EXPECT_EQ(GetPropText(p.get(), "Cursor"), "crHandPoint");
    EXPECT_EQ(p->Hint, "Add");
    EXPECT_EQ(GetPropText(p.get(), "Color"), "clBlue");
}

TEST(ControlProperties, SubObjectPathsReachFontAndConstraints) {
    auto f = CreateOwned<TForm>();
    SetPropText(f.get(), "Font.Name", "Arial");
    SetPropText(f.get(), "Font.Height", "-13");
    SetPropText(f.get(), "Font.Style", "[fsBold]");
    SetPropText(f.get(), "Font.Color", "clInfoText");
    SetPropText(f.get(), "Constraints.MinWidth", "125");
    EXPECT_EQ(f->Font()->Name(), "Arial");
    EXPECT_EQ(f->Font()->Height(), -13);
    EXPECT_TRUE(f->Font()->Style().Contains(fsBold));
    EXPECT_EQ(f->Font()->Color(), clInfoText);
    EXPECT_EQ(f->Constraints()->MinWidth(), 125);
    EXPECT_EQ(GetPropText(f.get(), "Font.Style"), "[fsBold]");
    EXPECT_THROW(SetPropText(f.get(), "Font.Weight", "700"), EPropertyError);
}

TEST(ControlProperties, ChildrenTakeTheParentFontUntilTheyGetTheirOwn) {
    auto f = CreateOwned<TForm>();
    auto* l = Create<TLabel>(f.get());
    l->SetParent(f.get());
    f->Font()->SetName("Arial");
    EXPECT_EQ(l->Font()->Name(), "Arial");
    EXPECT_TRUE(l->ParentFont());
    SetPropText(l, "Font.Height", "-20");
    EXPECT_FALSE(l->ParentFont());
    f->Font()->SetName("Courier New");
    EXPECT_EQ(l->Font()->Name(), "Arial");
}

TEST(ControlProperties, FormLevelProperties) {
    auto f = CreateOwned<TForm>();
    SetPropText(f.get(), "BorderStyle", "bsDialog");
    SetPropText(f.get(), "BorderIcons", "[biSystemMenu]");
    SetPropText(f.get(), "Position", "poScreenCenter");
    SetPropText(f.get(), "FormStyle", "fsStayOnTop");
    SetPropText(f.get(), "WindowState", "wsMaximized");
    SetPropText(f.get(), "Scaled", "False");
    SetPropText(f.get(), "ClientWidth", "400");
    EXPECT_EQ(f->BorderStyle(), bsDialog);
    EXPECT_EQ(f->BorderIcons(), TBorderIcons{biSystemMenu});
    EXPECT_EQ(f->Position(), poScreenCenter);
    EXPECT_EQ(f->FormStyle(), fsStayOnTop);
    EXPECT_EQ(f->WindowState(), wsMaximized);
    EXPECT_EQ(f->ClientWidth(), 400);
    EXPECT_EQ(f->Color(), clBtnFace);
    EXPECT_FALSE(f->Visible());
}

TEST(ControlProperties, CreatedByClassNameAndEventsBoundByHandlerName) {
    RegisterClass<TPanel>();
    RegisterClass<TLabel>();
    RegisterClass<TTimer>();
    auto form = CreateOwned<TSetupForm>();
    TComponent* c = CreateComponentByClassName("TPanel", form.get());
    ASSERT_TRUE(c->Is<TPanel>());
    c->SetName("CancelBtn");
    BindEventByName(c, "OnClick", form.get(), "CancelBtnClick");
    static_cast<TPanel*>(c)->Click();
    EXPECT_EQ(form->clicked, c);

    BindEventByName(form.get(), "OnCloseQuery", form.get(), "FormCloseQuery");
    EXPECT_FALSE(form->CloseQuery());
    // A handler with another signature is refused.
    EXPECT_THROW(BindEventByName(form.get(), "OnCloseQuery", form.get(), "TimerTimer"), EPropertyError);

    TComponent* t = CreateComponentByClassName("TTimer", form.get());
    BindEventByName(t, "OnTimer", form.get(), "TimerTimer");
    SetPropText(t, "Interval", "300");
    EXPECT_EQ(static_cast<TTimer*>(t)->Interval(), 300u);
    EXPECT_EQ(form->ClassName(), "TSetupForm");
    EXPECT_EQ(form->FindComponent("cancelbtn"), c);
}

TEST(ControlProperties, PublishedOrderFollowsTheClassChain) {
    std::vector<std::string> names;
    for (auto* p : TPanel::StaticClassInfo().Properties()) names.push_back(p->Name);
    ASSERT_GE(names.size(), 6u);
    EXPECT_EQ(names[0], "Name");
    EXPECT_EQ(names[1], "Tag");
    EXPECT_EQ(names[2], "Left");
    EXPECT_EQ(names[3], "Top");
    EXPECT_TRUE(IsPublishedProp(CreateOwned<TPanel>().get(), "BevelOuter"));
    EXPECT_FALSE(IsPublishedProp(CreateOwned<TLabel>().get(), "BevelOuter"));
    EXPECT_TRUE(HasPublishedProperty(CreateOwned<TLabel>().get(), "Transparent"));
    EXPECT_FALSE(HasPublishedProperty(nullptr, "Transparent"));
}

}  // namespace
