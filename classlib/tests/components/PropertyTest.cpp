#include "ClassInfo.h"
#include "Fixups.h"
#include "TypInfo.h"

#include <gtest/gtest.h>

namespace {

enum TShade { shLight, shMedium, shDark };
enum TSide { sdLeft, sdTop, sdRight, sdBottom };
using TSides = TSet<TSide>;

// A sub-object with properties of its own, reached as "Pen.Width".
class TPenLike : public TPersistent {
public:
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info = DescribeClass<TPenLike, void>("TPenLike", [](auto& c) {
            c.Int("Width", &TPenLike::Width, &TPenLike::SetWidth);
            c.String("Style", &TPenLike::Style, &TPenLike::SetStyle);
        });
        return info;
    }
    int Width() const { return width_; }
    void SetWidth(int v) { width_ = v; }
    std::string Style() const { return style_; }
    void SetStyle(const std::string& v) { style_ = v; }
    void Assign(TPersistent* Source) override {
        auto* p = dynamic_cast<TPenLike*>(Source);
        if (!p) return TPersistent::Assign(Source);
        width_ = p->width_;
        style_ = p->style_;
    }

private:
    int width_ = 1;
    std::string style_ = "solid";
};

class TGadget : public TComponent {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info = DescribeClass<TGadget, TComponent>("TGadget", [](auto& c) {
            c.Int("Size", &TGadget::Size, &TGadget::SetSize);
            c.Bool("Visible", &TGadget::Visible, &TGadget::SetVisible);
            c.template Enum<TShade>("Shade", &TGadget::Shade, &TGadget::SetShade, {"shLight", "shMedium", "shDark"});
            c.template Set<TSide>("Sides", &TGadget::Sides, &TGadget::SetSides, {"sdLeft", "sdTop", "sdRight", "sdBottom"});
            c.template Color<int>("Color", &TGadget::Color, &TGadget::SetColor);
            c.String("Caption", &TGadget::Caption, &TGadget::SetCaption);
            c.Char("PasswordChar", &TGadget::PasswordChar, &TGadget::SetPasswordChar);
            c.Float("Value", &TGadget::Value, &TGadget::SetValue);
            c.template Reference<TGadget>("Buddy", &TGadget::Buddy, &TGadget::SetBuddy);
            c.Object("Pen", &TGadget::Pen);
            c.Event("OnClick", &TGadget::OnClick);
            c.Int("Version", &TGadget::Version, nullptr);
        });
        return info;
    }
    int Size() const { return size_; }
    void SetSize(int v) { size_ = v; ++setterCalls; }
    bool Visible() const { return visible_; }
    void SetVisible(bool v) { visible_ = v; }
    TShade Shade() const { return shade_; }
    void SetShade(TShade v) { shade_ = v; }
    TSides Sides() const { return sides_; }
    void SetSides(TSides v) { sides_ = v; }
    int Color() const { return color_; }
    void SetColor(int v) { color_ = v; }
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& v) { caption_ = v; }
    char PasswordChar() const { return pw_; }
    void SetPasswordChar(char v) { pw_ = v; }
    double Value() const { return value_; }
    void SetValue(double v) { value_ = v; }
    TGadget* Buddy() const { return buddy_; }
    void SetBuddy(TGadget* v) { buddy_ = v; }
    TPenLike* Pen() { return &pen_; }
    int Version() const { return 54; }
    TNotifyEvent OnClick;
    int setterCalls = 0;

private:
    int size_ = 0;
    bool visible_ = true;
    TShade shade_ = shLight;
    TSides sides_;
    int color_ = 0;
    std::string caption_;
    char pw_ = 0;
    double value_ = 0;
    TGadget* buddy_ = nullptr;
    TPenLike pen_;
};

// Publishes "Caption" again and a new property; the form class also offers handlers.
class TFancyGadget : public TGadget {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info = DescribeClass<TFancyGadget, TGadget>("TFancyGadget", [](auto& c) {
            c.Int("Glow", &TFancyGadget::Glow, &TFancyGadget::SetGlow);
            c.String("Caption", &TFancyGadget::Caption, &TFancyGadget::SetFancyCaption);
            c.template Handler<&TFancyGadget::BuildBtnClick>("BuildBtnClick");
            c.template Handler<&TFancyGadget::Resized>("Resized");
        });
        return info;
    }
    int Glow() const { return 0; }
    void SetGlow(int) {}
    void SetFancyCaption(const std::string& v) { SetCaption("*" + v); }
    void BuildBtnClick(TObject* Sender) { clickedBy = Sender; }
    void Resized(TObject*, int) {}
    TObject* clickedBy = nullptr;
};

std::vector<std::string> Names(const TClassInfo& info) {
    std::vector<std::string> out;
    for (auto* p : info.Properties()) out.push_back(p->Name);
    return out;
}

TEST(Properties, TablesAreOrderedAndInheritedWithRepublishedPropertiesMoved) {
    EXPECT_EQ(Names(TGadget::StaticClassInfo()),
              (std::vector<std::string>{"Name", "Tag", "Size", "Visible", "Shade", "Sides", "Color", "Caption",
                                        "PasswordChar", "Value", "Buddy", "Pen", "OnClick", "Version"}));
    EXPECT_EQ(Names(TFancyGadget::StaticClassInfo()),
              (std::vector<std::string>{"Name", "Tag", "Size", "Visible", "Shade", "Sides", "Color", "PasswordChar",
                                        "Value", "Buddy", "Pen", "OnClick", "Version", "Glow", "Caption"}));
}

TEST(Properties, SetByNameGoesThroughTheSetterAndTheMostDerivedDeclaration) {
    auto g = CreateOwned<TFancyGadget>();
    SetOrdProp(g.get(), "size", 7);
    EXPECT_EQ(g->Size(), 7);
    EXPECT_EQ(g->setterCalls, 1);
    EXPECT_EQ(GetOrdProp(g.get(), "Size"), 7);
    SetStrProp(g.get(), "Caption", "Go");
    EXPECT_EQ(g->Caption(), "*Go");
    EXPECT_EQ(GetStrProp(g.get(), "Name"), "");
    EXPECT_TRUE(IsPublishedProp(g.get(), "Glow"));
    EXPECT_FALSE(IsPublishedProp(g.get(), "Gloww"));
    EXPECT_EQ(g->ClassName(), "TFancyGadget");
}

TEST(Properties, UnknownNameRaisesPropertyNotFound) {
    auto g = CreateOwned<TGadget>();
    try {
        SetOrdProp(g.get(), "UIStyle", 1);
        FAIL() << "no exception";
    } catch (const EPropertyError& e) {
        EXPECT_STREQ(e.what(), "Property UIStyle does not exist");
    }
    EXPECT_THROW(GetStrProp(g.get(), "Pen.Colour"), EPropertyError);
    EXPECT_THROW(GetStrProp(g.get(), "Size.Width"), EPropertyError);
    EXPECT_THROW(SetOrdProp(g.get(), "Version", 1), EPropertyError);
    EXPECT_EQ(GetOrdProp(g.get(), "Version"), 54);
}

struct TextCase {
    const char* path;
    const char* text;
    const char* readBack;
};

TEST(Properties, ValuesAsStoredTextRoundTrip) {
    const TextCase cases[] = {
        {"Size", "-12", "-12"},
        {"Size", "$10", "16"},
        {"Visible", "False", "False"},
        {"Shade", "shDark", "shDark"},
        {"Sides", "[sdTop, sdRight]", "[sdTop,sdRight]"},
        {"Sides", "[]", "[]"},
        {"Color", "clBtnFace", "clBtnFace"},
        {"Color", "$00FF00FF", "clFuchsia"},
        {"Color", "$00CF4602", "$00CF4602"},
        {"Caption", "Hello & bye", "Hello & bye"},
        {"PasswordChar", "*", "*"},
        {"Value", "2.5", "2.5"},
        {"Pen.Width", "3", "3"},
        {"pen.style", "dash", "dash"},
    };
    for (const auto& c : cases) {
        auto g = CreateOwned<TGadget>();
        SetPropText(g.get(), c.path, c.text);
        EXPECT_EQ(GetPropText(g.get(), c.path), c.readBack) << c.path << " = " << c.text;
    }
    auto g = CreateOwned<TGadget>();
    SetPropText(g.get(), "Color", "clBtnFace");
    EXPECT_EQ(g->Color(), static_cast<int>(0xFF00000F));
}

TEST(Properties, BadValuesAreRefusedWithoutChangingTheProperty) {
    const TextCase cases[] = {
        {"Shade", "shPurple", ""}, {"Sides", "[sdTop,sdNowhere]", ""}, {"Sides", "sdTop", ""},
        {"Visible", "Maybe", ""},  {"Size", "12x", ""},                {"Color", "clNoColour", ""},
        {"Value", "two", ""},      {"PasswordChar", "ab", ""},
    };
    for (const auto& c : cases) {
        auto g = CreateOwned<TGadget>();
        const std::string before = GetPropText(g.get(), c.path);
        EXPECT_THROW(SetPropText(g.get(), c.path, c.text), EPropertyError) << c.path << " = " << c.text;
        EXPECT_EQ(GetPropText(g.get(), c.path), before);
    }
    auto g = CreateOwned<TGadget>();
    EXPECT_THROW(SetOrdProp(g.get(), "Shade", 3), EPropertyError);
}

TEST(Properties, ReferencesAreFixedUpByNameAfterTheFormIsComplete) {
    auto form = CreateOwned<TGadget>();
    form->SetName("Form1");
    auto* a = Create<TGadget>(form.get());
    a->SetName("A");
    TReferenceFixups fixups;
    fixups.Add(a, "Buddy", "b");  // B does not exist yet
    fixups.Add(a, "Buddy", "Form1");
    auto* b = Create<TGadget>(form.get());
    b->SetName("B");
    fixups.Add(b, "Buddy", "Nobody");
    const auto missing = fixups.Resolve(form.get());
    EXPECT_EQ(a->Buddy(), form.get());
    EXPECT_EQ(b->Buddy(), nullptr);
    EXPECT_EQ(missing, std::vector<std::string>{"Nobody"});
    EXPECT_EQ(GetPropText(a, "Buddy"), "Form1");
    EXPECT_TRUE(fixups.Empty());
}

TEST(Properties, ReferenceOfTheWrongClassIsRefused) {
    auto g = CreateOwned<TGadget>();
    auto other = CreateOwned<TComponent>();
    EXPECT_THROW(SetObjectProp(g.get(), "Buddy", other.get()), EPropertyError);
    SetObjectProp(g.get(), "Buddy", g.get());
    EXPECT_EQ(g->Buddy(), g.get());
}

TEST(Properties, SubObjectAssignByName) {
    auto g = CreateOwned<TGadget>();
    TPenLike pen;
    pen.SetWidth(9);
    SetObjectProp(g.get(), "Pen", &pen);
    EXPECT_EQ(g->Pen()->Width(), 9);
    EXPECT_EQ(GetObjectProp(g.get(), "Pen"), g->Pen());
}

TEST(Properties, EventsBindByHandlerNameOfTheRootClass) {
    auto form = CreateOwned<TFancyGadget>();
    auto* button = Create<TGadget>(form.get());
    BindEventByName(button, "OnClick", form.get(), "buildbtnclick");
    button->OnClick(button);
    EXPECT_EQ(form->clickedBy, button);
    EXPECT_THROW(BindEventByName(button, "OnClick", form.get(), "NoSuchHandler"), EPropertyError);
    EXPECT_THROW(BindEventByName(button, "OnClick", form.get(), "Resized"), EPropertyError);  // wrong signature
    EXPECT_THROW(BindEventByName(button, "Size", form.get(), "BuildBtnClick"), EPropertyError);
    BindEventByName(button, "OnClick", form.get(), "");
    EXPECT_FALSE(static_cast<bool>(button->OnClick));
}

}  // namespace
