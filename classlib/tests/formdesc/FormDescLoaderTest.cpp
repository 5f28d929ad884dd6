#include "FormDesc.h"
#include "FormDescError.h"
#include "FormDescSink.h"
#include "RecordingSink.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace {

// The menu reference names an object stored after it, and the events sit
// between plain values: the walk must still set values in stored order and
// leave references and events until the whole form is read.
const char* const OrderForm =
    "MainForm: TMainForm\n"
    "  Caption = \"Main\"\n"
    "  Menu = MainMenu\n"
    "  OnCreate = FormCreate\n"
    "  Font.Name = \"Tahoma\"\n"
    "  Pages: TPageControl\n"
    "    Pages = (Sheet1)\n"
    "    ActivePage = Sheet1\n"
    "    Sheet1: TTabSheet\n"
    "      PageControl = Pages\n"
    "      Caption = \"One\"\n"
    "      Button: TButton\n"
    "        OnClick = ButtonClick\n"
    "        Caption = \"Go\"\n"
    "        PopupMenu = Popup\n"
    "      end\n"
    "    end\n"
    "  end\n"
    "  Theme: TskBuiltInFileTheme\n"
    "    SkinData = {00FF}\n"
    "  end\n"
    "  MainMenu: TMainMenu\n"
    "    Item1: TMenuItem\n"
    "      Caption = \"File\"\n"
    "      OnClick = Item1Click\n"
    "    end\n"
    "  end\n"
    "  Popup: TPopupMenu\n"
    "  end\n"
    "end\n";

TEST(FormDescLoader, WalksTheFormInLoadOrder) {
    TFormDescription d = ParseFormDescription(OrderForm, "MainForm");
    TRecordingSink sink;
    LoadFormDescription(d, sink);
    const std::vector<std::string> expected = {
        "form TMainForm",
        "name MainForm",
        "set MainForm.Caption",
        "set MainForm.Font.Name",
        "create TPageControl",
        "name Pages",
        "parent Pages MainForm",
        "define Pages.Pages",
        "create TTabSheet",
        "name Sheet1",
        "parent Sheet1 Pages",
        "define Sheet1.PageControl",
        "set Sheet1.Caption",
        "create TButton",
        "name Button",
        "parent Button Sheet1",
        "set Button.Caption",
        "create TskBuiltInFileTheme",
        "name Theme",
        "parent Theme MainForm",
        "define Theme.SkinData",
        "create TMainMenu",
        "name MainMenu",
        "parent MainMenu MainForm",
        "create TMenuItem",
        "name Item1",
        "parent Item1 MainMenu",
        "set Item1.Caption",
        "create TPopupMenu",
        "name Popup",
        "parent Popup MainForm",
        "reference MainForm.Menu MainMenu",
        "reference Pages.ActivePage Sheet1",
        "reference Button.PopupMenu Popup",
        "event MainForm.OnCreate FormCreate",
        "event Button.OnClick ButtonClick",
        "event Item1.OnClick Item1Click",
        "loaded MainForm",
        "loaded Pages",
        "loaded Sheet1",
        "loaded Button",
        "loaded Theme",
        "loaded MainMenu",
        "loaded Item1",
        "loaded Popup",
        "end loading",
        "OnCreate",
    };
    EXPECT_EQ(sink.Calls, expected);
}

struct SinkFault {
    const char* failingCall;  // the recorded call at which the sink raises
    const char* detail;
    const char* object;
    const char* property;
    int line;
};

class FormDescLoaderFault : public testing::TestWithParam<SinkFault> {};

// Faults the component model reports while applying the description come back
// with the place in the description where they arose.
TEST_P(FormDescLoaderFault, NamesFormObjectPropertyAndLine) {
    const SinkFault& f = GetParam();
    TFormDescription d = ParseFormDescription(OrderForm, "MainForm");
    TRecordingSink sink;
    sink.Hook = [&](const std::string& call) {
        if (call == f.failingCall) {
            const std::string detail = f.detail;
            if (detail.rfind("Unknown property", 0) == 0) throw EPropertyError(detail);
            if (detail.find("not a valid integer") != std::string::npos) throw EConvertError(detail);
            throw EReadError(detail);
        }
    };
    try {
        LoadFormDescription(d, sink);
        FAIL() << "no fault at " << f.failingCall;
    } catch (const EFormDescError& e) {
        EXPECT_EQ(e.FormName(), "MainForm");
        EXPECT_EQ(e.Detail(), f.detail);
        EXPECT_EQ(e.ObjectName(), f.object);
        EXPECT_EQ(e.PropertyName(), f.property);
        EXPECT_EQ(e.Line(), f.line);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, FormDescLoaderFault,
    testing::Values(SinkFault{"form TMainForm", "Form class TMainForm expected, TOtherForm found", "MainForm", "", 1},
                    SinkFault{"create TTabSheet", "Class TTabSheet not registered", "Sheet1", "", 9},
                    SinkFault{"set MainForm.Font.Name", "Unknown property Font.Name", "MainForm", "Font.Name", 5},
                    SinkFault{"set Button.Caption", "Invalid property value", "Button", "Caption", 14},
                    SinkFault{"set Item1.Caption", "'File' is not a valid integer value", "Item1", "Caption", 24},
                    SinkFault{"define Theme.SkinData", "Invalid property value", "Theme", "SkinData", 20},
                    SinkFault{"reference Button.PopupMenu Popup", "Invalid property value", "Button", "PopupMenu", 15},
                    SinkFault{"event Item1.OnClick Item1Click", "Method Item1Click not found", "Item1", "OnClick", 25},
                    SinkFault{"loaded Popup", "Invalid property value", "Popup", "", 28}),
    [](const testing::TestParamInfo<SinkFault>& i) { return "Case" + std::to_string(i.index); });

TEST(FormDescLoader, ComponentFailuresPassUnchanged) {
    // A component's own exception keeps its type and exact text: the form's
    // creation fails with it.
    TFormDescription d = ParseFormDescription(OrderForm, "MainForm");
    TRecordingSink sink;
    sink.Hook = [](const std::string& call) {
        if (call == "define Theme.SkinData") throw Exception("Invalid skin file for VIVIvuz!");
    };
    try {
        LoadFormDescription(d, sink);
        FAIL();
    } catch (const EFormDescError&) {
        FAIL() << "wrapped";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Invalid skin file for VIVIvuz!");
    }
    // Nothing after the failure was applied.
    EXPECT_EQ(sink.Calls.back(), "parent Theme MainForm");
}

struct DescriptionFault {
    const char* text;
    const char* message;
};

class FormDescLoaderDescriptionFault : public testing::TestWithParam<DescriptionFault> {};

TEST_P(FormDescLoaderDescriptionFault, IsFoundBeforeTheSinkSeesIt) {
    TFormDescription d = ParseFormDescription(GetParam().text, "F");
    TRecordingSink sink;
    try {
        LoadFormDescription(d, sink);
        FAIL();
    } catch (const EFormDescError& e) {
        EXPECT_STREQ(e.what(), GetParam().message);
    }
    for (const auto& call : sink.Calls) {
        EXPECT_EQ(call.rfind("reference", 0), std::string::npos) << call;
        EXPECT_EQ(call.rfind("event", 0), std::string::npos) << call;
        EXPECT_EQ(call.rfind("loaded", 0), std::string::npos) << call;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, FormDescLoaderDescriptionFault,
    testing::Values(
        DescriptionFault{"F: TF\n  B: TButton\n    PopupMenu = Popup1\n  end\nend",
                         "Error in form F, object B, property PopupMenu at line 3, column 5: Unresolved reference Popup1"},
        DescriptionFault{"F: TF\n  Menu = \"MainMenu\"\nend",
                         "Error in form F, object F, property Menu at line 2, column 3: Expected a component name"},
        DescriptionFault{"F: TF\n  OnShow = 12\nend",
                         "Error in form F, object F, property OnShow at line 2, column 3: Expected a handler name"}),
    [](const testing::TestParamInfo<DescriptionFault>& i) { return "Case" + std::to_string(i.index); });

TEST(FormDescLoader, ResolvesReferencesInAnyLetterCase) {
    TFormDescription d = ParseFormDescription("F: TF\n  Menu = mainmenu\n  MainMenu: TMainMenu\n  end\nend", "F");
    TRecordingSink sink;
    LoadFormDescription(d, sink);
    EXPECT_NE(std::find(sink.Calls.begin(), sink.Calls.end(), "reference F.Menu MainMenu"), sink.Calls.end());
}

}  // namespace
