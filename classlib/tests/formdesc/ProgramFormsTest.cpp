// The stored descriptions of the builder's and the runtime's windows stay
// well-formed, every reference in them names a component of the form, and
// each binds exactly the handlers its form publishes.

#include "FormDesc.h"
#include "FormDescError.h"
#include "RecordingSink.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct ProgramForm {
    const char* file;
    const char* formClass;
    std::set<std::string> handlers;
    // Components the window's code relies on, with their classes.
    std::set<std::pair<std::string, std::string>> components;
    // The theme manager's list, in stored order (empty: the form has none).
    std::vector<std::string> themed;
};

std::string ReadSource(const std::string& relative) {
    std::ifstream in(std::string(TESSALOOM_SOURCE_DIR) + "/" + relative, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + relative);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The names of "CompList.Strings" on the form's theme manager.
std::vector<std::string> ThemedNames(const TFormObject& o) {
    if (o.ClassName == "TskThemeManager")
        for (const TFormProperty& p : o.Properties)
            if (p.Name == "CompList.Strings") {
                std::vector<std::string> names;
                for (const TFormValue& v : p.Value.Elements) names.push_back(v.Text);
                return names;
            }
    for (const auto& c : o.Children)
        if (auto names = ThemedNames(*c); !names.empty()) return names;
    return {};
}

void Collect(const TFormObject& o, std::set<std::pair<std::string, std::string>>& into) {
    into.insert({o.Name, o.ClassName});
    for (const auto& c : o.Children) Collect(*c, into);
}

class ProgramForms : public testing::TestWithParam<ProgramForm> {};

TEST_P(ProgramForms, ParseAndWalkWithTheirHandlers) {
    const ProgramForm& f = GetParam();
    TFormDescription d;
    try {
        d = ParseFormDescription(ReadSource(f.file), f.file);
    } catch (const EFormDescError& e) {
        FAIL() << e.what();
    }
    EXPECT_EQ(d.Root->ClassName, f.formClass);

    TRecordingSink sink;
    try {
        LoadFormDescription(d, sink);
    } catch (const EFormDescError& e) {
        FAIL() << e.what();
    }
    std::set<std::string> bound;
    for (const std::string& call : sink.Calls)
        if (call.rfind("event ", 0) == 0) bound.insert(call.substr(call.rfind(' ') + 1));
    EXPECT_EQ(bound, f.handlers);

    std::set<std::pair<std::string, std::string>> present;
    Collect(*d.Root, present);
    for (const auto& c : f.components)
        EXPECT_TRUE(present.count(c)) << c.first << ": " << c.second;
    EXPECT_EQ(ThemedNames(*d.Root), f.themed);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, ProgramForms,
    testing::Values(
        ProgramForm{"builder/MainForm.form",
                    "TMainForm",
                    {"FormShow", "FormClose", "OpenTimerTimer", "ChangeLogoBtnClick", "LicenseCheckBoxClick",
                     "SaveBtnClick", "MMInformationClick", "MMFlashMoviesClick", "MMSettingsClick", "MMOutputClick",
                     "MMExitClick", "MMContentClick", "MMWebPageClick", "MMAboutClick", "FlashEditChange",
                     "OpenFlashBtnClick", "AddBtnClick", "RemoveBtnClick", "UpBtnClick", "DownBtnClick",
                     "FlashListViewDblClick", "FlashTimerTimer", "AppEventsMessage", "ListPopupMenuPopup",
                     "PMAddClick", "PMRemoveClick", "PMMoveUpClick", "PMMoveDownClick", "PMPlayClick",
                     "MMNewProjectClick", "MMOpenProjectClick", "MMSaveProjectClick", "BuildBtnClick",
                     "InstallBtnClick"},
                    {{"CopyrightPanel", "TPanel"},        {"skPageControl1", "TskPageControl"},
                     {"skTabSheet1", "TskTabSheet"},      {"skTabSheet2", "TskTabSheet"},
                     {"skTabSheet3", "TskTabSheet"},      {"skTabSheet4", "TskTabSheet"},
                     {"TitleEdit", "TskEdit"},              {"LogoPanel", "TskImagePanel"},
                     {"AuthorEdit", "TskEdit"},             {"HomepageEdit", "TskEdit"},
                     {"EmailEdit", "TskEdit"},              {"CopyrightEdit", "TskEdit"},
                     {"FlashEdit", "TskEdit"},              {"FlashPanel", "TPanel"},
                     {"ShockwaveFlash", "TShockwaveFlash"}, {"FlashListView", "TskListView"},
                     {"RandomCheckBox", "TskCheckBox"},     {"LicenseCheckBox", "TskCheckBox"},
                     {"LicenseGroup", "TskGroupBox"},       {"LicenseMemo", "TskMemo"},
                     {"SaveEdit", "TskEdit"},               {"LogMemo", "TskMemo"},
                     {"BuildBtn", "TskButton"},             {"AddBtn", "TskButton"},
                     {"MainMenu", "TskMainMenu"},         {"ListPopupMenu", "TskPopupMenu"},
                     {"skMainForm", "TskForm"},           {"skThemeManager", "TskThemeManager"},
                     {"skBuiltInFileTheme", "TskBuiltInFileTheme"},
                     {"ScreenshotList", "TImageList"},    {"OpenLogoDialog", "TOpenPictureDialog"},
                     {"SaveDialog", "TSaveDialog"},       {"OpenDialog", "TOpenDialog"},
                     {"OpenProjectDialog", "TOpenDialog"}, {"SaveProjectDialog", "TSaveDialog"}},
                    {"skMainForm", "skPageControl1", "skGroupBox3", "RandomCheckBox", "LicenseCheckBox",
                     "LicenseGroup", "LicenseMemo", "FlashEdit", "OpenFlashBtn", "skGroupBox2", "FlashListView",
                     "AddBtn", "RemoveBtn", "UpBtn", "DownBtn", "SaveEdit", "SaveBtn", "LogMemo", "InstallBtn",
                     "BuildBtn", "TitleEdit", "skGroupBox1", "ChangeLogoBtn", "AuthorEdit", "HomepageEdit",
                     "EmailEdit", "CopyrightEdit", "MainMenu", "ListPopupMenu"}},
        ProgramForm{"builder/AboutForm.form",
                    "TAboutForm",
                    {"skButton1Click", "ImagePanelClick"},
                    {{"skForm", "TskForm"},
                     {"FlatPanel1", "TFlatPanel"},
                     {"ImagePanel", "TskImagePanel"},
                     {"skButton1", "TskButton"},
                     {"skThemeManager", "TskThemeManager"}},
                    {"skForm", "skButton1"}},
        ProgramForm{"runtime/ShowForm.form",
                    "TShowForm",
                    {"FormCreate", "FormShow", "FormCloseQuery", "FormDestroy", "TimerTimer"},
                    {{"Flash", "TShockwaveFlash"}, {"Timer", "TTimer"}},
                    {}},
        ProgramForm{"runtime/SetupForm.form",
                    "TSetupForm",
                    {"FormShow", "FormClose", "UninstallBtnClick", "SaveBtnClick", "CancelBtnClick"},
                    {{"skSetupForm", "TskForm"},
                     {"skThemeManager", "TskThemeManager"},
                     {"TitleLabel", "TLabel"},
                     {"PublisherLabel", "TLabel"},
                     {"HomepageLabel", "TskURLLabel"},
                     {"EmailLabel", "TskURLLabel"},
                     {"CopyrightLabel", "TLabel"},
                     {"LogoPanel", "TskImagePanel"},
                     {"MuteCheckBox", "TskCheckBox"},
                     {"IgnoreCheckBox", "TskCheckBox"},
                     {"UninstallBtn", "TskButton"},
                     {"SaveBtn", "TskButton"},
                     {"CancelBtn", "TskButton"}},
                    {"skSetupForm", "skGroupBox1", "MuteCheckBox", "IgnoreCheckBox", "UninstallBtn", "SaveBtn",
                     "CancelBtn"}},
        ProgramForm{"skin-dialogs/InputForm.form",
                    "TfrmInput",
                    {},
                    {{"skForm1", "TskForm"},
                     {"lbl_prompt", "TLabel"},
                     {"edt_value", "TskEdit"},
                     {"btn1", "TskButton"},
                     {"btn2", "TskButton"}},
                    {}}),
    [](const testing::TestParamInfo<ProgramForm>& i) { return std::string(i.param.formClass); });

}  // namespace
