#include "Collection.h"
#include "Filer.h"
#include "FormDescError.h"
#include "FormReader.h"
#include "Streams.h"
#include "Strings.h"
#include "TypInfo.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// What the test components saw, in order.
std::vector<std::string> Log;

enum TTone { toPlain, toBold, toFaint };
enum TEdge { edLeft, edTop, edRight, edBottom };
using TEdges = TSet<TEdge>;

class TTestFont : public TPersistent {
public:
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info = DescribeClass<TTestFont, void>("TTestFont", [](auto& c) {
            c.String("Name", &TTestFont::Name, &TTestFont::SetName);
            c.Int("Height", &TTestFont::Height, &TTestFont::SetHeight);
        });
        return info;
    }
    std::string Name() const { return name_; }
    void SetName(const std::string& v) { name_ = v; }
    int Height() const { return height_; }
    void SetHeight(int v) { height_ = v; }

private:
    std::string name_ = "Arial";
    int height_ = 0;
};

class TTestButton : public TCollectionItem {
public:
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info = DescribeClass<TTestButton, TCollectionItem>("TTestButton", [](auto& c) {
            c.template Enum<TTone>("Tone", &TTestButton::Tone, &TTestButton::SetTone, {"toPlain", "toBold", "toFaint"});
            c.Bool("Visible", &TTestButton::Visible, &TTestButton::SetVisible);
        });
        return info;
    }
    TTone Tone() const { return tone_; }
    void SetTone(TTone v) { tone_ = v; }
    bool Visible() const { return visible_; }
    void SetVisible(bool v) { visible_ = v; }

private:
    TTone tone_ = toPlain;
    bool visible_ = false;
};

class TTestButtons : public TCollectionOf<TTestButton> {
public:
    using TCollectionOf::TCollectionOf;
    int updates = 0;

protected:
    void Update(TCollectionItem*) override { ++updates; }
};

// A control-like component: takes its enclosing component as parent and
// records the order of what happens to it.
class TWidget : public TComponent {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info = DescribeClass<TWidget, TComponent>("TWidget", [](auto& c) {
            c.Int("Left", &TWidget::Left, &TWidget::SetLeft);
            c.Bool("Visible", &TWidget::Visible, &TWidget::SetVisible);
            c.template Enum<TTone>("Tone", &TWidget::Tone, &TWidget::SetTone, {"toPlain", "toBold", "toFaint"});
            c.template Set<TEdge>("Edges", &TWidget::Edges, &TWidget::SetEdges, {"edLeft", "edTop", "edRight", "edBottom"});
            c.template Color<int>("Color", &TWidget::Color, &TWidget::SetColor);
            c.String("Caption", &TWidget::Caption, &TWidget::SetCaption);
            c.Char("PasswordChar", &TWidget::PasswordChar, &TWidget::SetPasswordChar);
            c.Float("Value", &TWidget::Value, &TWidget::SetValue);
            c.template Reference<TWidget>("Buddy", &TWidget::Buddy, &TWidget::SetBuddy);
            c.Object("Font", &TWidget::Font);
            c.Object("Lines", &TWidget::Lines);
            c.Object("Buttons", &TWidget::Buttons);
            c.Event("OnClick", &TWidget::OnClick);
        });
        return info;
    }
    int Left() const { return left_; }
    void SetLeft(int v) {
        left_ = v;
        Log.push_back(Name() + ".Left parent=" + (parent_ ? parent_->Name() : "none") +
                      (ComponentState().Contains(csLoading) ? " loading" : ""));
    }
    bool Visible() const { return visible_; }
    void SetVisible(bool v) { visible_ = v; }
    TTone Tone() const { return tone_; }
    void SetTone(TTone v) { tone_ = v; }
    TEdges Edges() const { return edges_; }
    void SetEdges(TEdges v) { edges_ = v; }
    int Color() const { return color_; }
    void SetColor(int v) { color_ = v; }
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& v) {
        // A setter that refuses a value for its own reasons.
        if (v == "refuse") throw EInvalidOperation("Caption refused");
        caption_ = v;
    }
    char PasswordChar() const { return pw_; }
    void SetPasswordChar(char v) { pw_ = v; }
    double Value() const { return value_; }
    void SetValue(double v) { value_ = v; }
    TWidget* Buddy() const { return buddy_; }
    void SetBuddy(TWidget* v) {
        buddy_ = v;
        Log.push_back(Name() + ".Buddy=" + (v ? v->Name() : "nil"));
    }
    TTestFont* Font() { return &font_; }
    TStringList* Lines() { return &lines_; }
    TTestButtons* Buttons() { return &buttons_; }
    TNotifyEvent OnClick;

    TComponent* ParentComponent() const { return parent_; }
    void SetParentComponent(TComponent* Value) override {
        parent_ = Value;
        Log.push_back(Name() + ".Parent=" + Value->Name());
    }
    void Loaded() override {
        TComponent::Loaded();
        Log.push_back(Name() + ".Loaded buddy=" + (buddy_ ? buddy_->Name() : "nil") + (OnClick ? " bound" : ""));
    }

    // Defined data: a binary block and a list of names.
    std::vector<std::uint8_t> Blob;
    std::vector<std::string> Order;
    void DefineProperties(TFiler* Filer) override {
        TComponent::DefineProperties(Filer);
        Filer->DefineBinaryProperty("Blob", [this](TStream& S) {
            Blob.resize(static_cast<size_t>(S.Size()));
            if (!Blob.empty()) S.ReadBuffer(Blob.data(), static_cast<std::int64_t>(Blob.size()));
        });
        Filer->DefineProperty("Order", [this](TReader& R) {
            R.ReadListBegin();
            while (!R.EndOfList()) Order.push_back(R.ReadIdent());
            R.ReadListEnd();
        });
    }

private:
    TComponent* parent_ = nullptr;
    int left_ = 0;
    bool visible_ = true;
    TTone tone_ = toPlain;
    TEdges edges_;
    int color_ = 0;
    std::string caption_;
    char pw_ = 0;
    double value_ = 0;
    TWidget* buddy_ = nullptr;
    TTestFont font_;
    TStringList lines_;
    TTestButtons buttons_{this};
};

// A component of a class that is not a widget, for references of the wrong class.
class TGizmo : public TComponent {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info = DescribeClass<TGizmo, TComponent>("TGizmo", [](auto&) {});
        return info;
    }
};

class TTestForm : public TComponent {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info = DescribeClass<TTestForm, TComponent>("TTestForm", [](auto& c) {
            c.String("Caption", &TTestForm::Caption, &TTestForm::SetCaption);
            c.Event("OnCreate", &TTestForm::OnCreate);
            c.template Handler<&TTestForm::FormCreate>("FormCreate");
            c.template Handler<&TTestForm::OkClick>("OkClick");
        });
        return info;
    }
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& v) { caption_ = v; }
    void Loaded() override {
        TComponent::Loaded();
        Log.push_back(Name() + ".Loaded");
    }
    void FormCreate(TObject*) {
        std::string loading;
        for (int i = 0; i < ComponentCount(); ++i)
            if (Components(i)->ComponentState().Contains(csLoading)) loading += " " + Components(i)->Name();
        Log.push_back("FormCreate" + (loading.empty() ? std::string() : " still loading:" + loading));
    }
    void OkClick(TObject*) { ++clicks; }
    TNotifyEvent OnCreate;
    int clicks = 0;

private:
    std::string caption_;
};

class FormReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        Log.clear();
        RegisterClass<TWidget>();
        RegisterClass<TGizmo>();
        RegisterClass<TTestForm>();
    }
    TOwned<TTestForm> Load(const std::string& Text) {
        auto form = CreateOwned<TTestForm>();
        ReadFormDescriptionText(form.get(), Text, "TestForm");
        return form;
    }
    TWidget* Widget(TTestForm* Form, const std::string& Name) {
        auto* w = dynamic_cast<TWidget*>(Form->FindComponent(Name));
        EXPECT_NE(w, nullptr) << Name;
        return w;
    }
    // The error a faulty description raises.
    EFormDescError Fault(const std::string& Text) {
        try {
            Load(Text);
        } catch (const EFormDescError& e) {
            return e;
        }
        ADD_FAILURE() << "no fault raised";
        return EFormDescError("", "", "", 0, 0, "");
    }
};

TEST_F(FormReaderTest, EveryValueKindReachesItsSetter) {
    auto form = Load(R"(
Main: TTestForm
  Caption = "Main \"window\""
  W: TWidget
    Left = -12
    Visible = False
    Tone = toFaint
    Edges = [edTop, edBottom]
    Color = clBtnFace
    Caption = "caf\xE9"
    PasswordChar = "*"
    Value = 3
    Font.Name = "MS Sans Serif"
    Font.Height = $0B
    Lines.Strings = ("one" "" "three")
    Buttons = (
      item
        Tone = toBold
        Visible = True
      end
      item
      end)
  end
  V: TWidget
    Color = $00FF00FF
    Value = 2
  end
end
)");
    EXPECT_EQ(form->Name(), "Main");
    EXPECT_EQ(form->Caption(), "Main \"window\"");
    TWidget* w = Widget(form.get(), "W");
    EXPECT_EQ(w->Left(), -12);
    EXPECT_FALSE(w->Visible());
    EXPECT_EQ(w->Tone(), toFaint);
    EXPECT_EQ(w->Edges(), (TEdges{edTop, edBottom}));
    EXPECT_EQ(GetPropText(w, "Color"), "clBtnFace");
    EXPECT_EQ(w->Caption(), "caf\xE9");
    EXPECT_EQ(w->PasswordChar(), '*');
    EXPECT_DOUBLE_EQ(w->Value(), 3.0);
    EXPECT_EQ(w->Font()->Name(), "MS Sans Serif");
    EXPECT_EQ(w->Font()->Height(), 11);
    ASSERT_EQ(w->Lines()->Count(), 3);
    EXPECT_EQ(w->Lines()->Strings(1), "");
    EXPECT_EQ(w->Lines()->Strings(2), "three");
    ASSERT_EQ(w->Buttons()->Count(), 2);
    EXPECT_EQ(w->Buttons()->Items(0)->Tone(), toBold);
    EXPECT_TRUE(w->Buttons()->Items(0)->Visible());
    EXPECT_FALSE(w->Buttons()->Items(1)->Visible());
    EXPECT_EQ(w->Buttons()->updates, 1) << "items are added inside one update";
    EXPECT_EQ(Widget(form.get(), "V")->Color(), 0x00FF00FF);
    EXPECT_EQ(Widget(form.get(), "V")->Owner(), form.get());
}

TEST_F(FormReaderTest, EmptyListLeavesACollectionWithoutItems) {
    auto form = Load("F: TTestForm\n W: TWidget\n  Buttons = ()\n end\nend\n");
    TWidget* w = Widget(form.get(), "W");
    EXPECT_EQ(w->Buttons()->Count(), 0);
    EXPECT_EQ(w->Lines()->Count(), 0);
}

TEST_F(FormReaderTest, LoadOrderParentFirstReferencesThenLoadedThenOnCreate) {
    auto form = Load(R"(
F: TTestForm
  OnCreate = FormCreate
  A: TWidget
    Buddy = C
    Left = 1
    OnClick = OkClick
    B: TWidget
      Left = 2
    end
  end
  C: TWidget
    Left = 3
  end
end
)");
    const std::vector<std::string> expected = {
        "A.Parent=F", "A.Left parent=F loading", "B.Parent=A",         "B.Left parent=A loading",
        "C.Parent=F", "C.Left parent=F loading", "A.Buddy=C",          "F.Loaded",
        "A.Loaded buddy=C bound",                "B.Loaded buddy=nil", "C.Loaded buddy=nil",
        "FormCreate",
    };
    EXPECT_EQ(Log, expected);
    TWidget* a = Widget(form.get(), "A");
    EXPECT_FALSE(a->ComponentState().Contains(csLoading));
    EXPECT_FALSE(form->ComponentState().Contains(csLoading));
    a->OnClick(a);
    EXPECT_EQ(form->clicks, 1) << "OnClick is bound to the form's OkClick";
}

TEST_F(FormReaderTest, DefinedBinaryAndListPropertiesReachTheirReaders) {
    auto form = Load(R"(
F: TTestForm
  W: TWidget
    Blob = {00 01 FE FF
            7F}
    Order = (Second First)
  end
  E: TWidget
    Blob = {}
  end
end
)");
    TWidget* w = Widget(form.get(), "W");
    EXPECT_EQ(w->Blob, (std::vector<std::uint8_t>{0x00, 0x01, 0xFE, 0xFF, 0x7F}));
    EXPECT_EQ(w->Order, (std::vector<std::string>{"Second", "First"}));
    EXPECT_TRUE(Widget(form.get(), "E")->Blob.empty());
}

// Each fault names the form, the object and the property where it happened.
TEST_F(FormReaderTest, FaultsNameFormObjectAndProperty) {
    struct Case {
        const char* text;
        const char* object;
        const char* property;
        const char* detail;
    };
    const Case cases[] = {
        {"F: TTestForm\n X: TNoSuchClass\n end\nend\n", "X", "", "Class TNoSuchClass not found"},
        {"F: TTestForm\n X: TWidget\n  Lfet = 1\n end\nend\n", "X", "Lfet", "Unknown property"},
        {"F: TTestForm\n X: TWidget\n  Font.Nmae = \"a\"\n end\nend\n", "X", "Font.Nmae", "Unknown property"},
        {"F: TTestForm\n X: TWidget\n  Left = \"ten\"\n end\nend\n", "X", "Left", "Invalid property value"},
        {"F: TTestForm\n X: TWidget\n  Tone = toLoud\n end\nend\n", "X", "Tone", "Invalid property value"},
        {"F: TTestForm\n X: TWidget\n  Edges = [edTop, edMiddle]\n end\nend\n", "X", "Edges", "Invalid property value"},
        {"F: TTestForm\n X: TWidget\n  Blob = \"text\"\n end\nend\n", "X", "Blob", "Invalid property value"},
        {"F: TTestForm\n X: TWidget\n  Order = (\"a\")\n end\nend\n", "X", "Order", "Invalid property value"},
        {"F: TTestForm\n X: TWidget\n  Buddy = Nobody\n end\nend\n", "X", "Buddy", "Unresolved reference Nobody"},
        {"F: TTestForm\n X: TWidget\n  Buddy = G\n end\n G: TGizmo\n end\nend\n", "X", "Buddy",
         "Invalid property value"},
        {"F: TTestForm\n X: TWidget\n  OnClick = NoSuchHandler\n end\nend\n", "X", "OnClick",
         "Method NoSuchHandler not found"},
        {"F: TTestForm\n X: TWidget\n  Buttons = (item\n Colour = 1\n end)\n end\nend\n", "X", "Buttons",
         "Unknown property"},
        {"F: TOtherForm\nend\n", "F", "", "The description is of class TOtherForm, not TTestForm"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const EFormDescError e = Fault(c.text);
        EXPECT_EQ(e.FormName(), "TestForm");
        EXPECT_EQ(e.ObjectName(), c.object);
        EXPECT_EQ(e.PropertyName(), c.property);
        EXPECT_EQ(e.Detail(), c.detail);
        EXPECT_GT(e.Line(), 0);
    }
    const EFormDescError e = Fault("F: TTestForm\n X: TWidget\n  Lfet = 1\n end\nend\n");
    EXPECT_STREQ(e.what(), "Error in form TestForm, object X, property Lfet at line 3, column 3: Unknown property");
}

TEST_F(FormReaderTest, AComponentsOwnFailurePassesUnchanged) {
    EXPECT_THROW(Load("F: TTestForm\n X: TWidget\n  Caption = \"refuse\"\n end\nend\n"), EInvalidOperation);
}

TEST_F(FormReaderTest, ReaderTakesScalarsAndRefusesTheWrongKind) {
    TFormValue v;
    v.Kind = TFormValueKind::Identifier;
    v.Text = "true";
    TReader r(v, nullptr);
    EXPECT_TRUE(r.ReadBoolean());
    EXPECT_THROW(r.ReadBoolean(), EReadError) << "a single value is read once";

    TFormValue n;
    n.Kind = TFormValueKind::Integer;
    n.Integer = 7;
    TReader ri(n, nullptr);
    EXPECT_THROW(ri.ReadListBegin(), EReadError);
    EXPECT_THROW(TReader(n, nullptr).ReadString(), EReadError);
    EXPECT_EQ(TReader(n, nullptr).ReadInteger(), 7);
}

}  // namespace
