#include "DialogDriver.h"
#include "Dialogs.h"
#include "FormReader.h"
#include "TypInfo.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace {

std::string TempName(const std::string& Leaf) {
    char dir[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + Leaf;
}

bool Exists(const std::string& Path) { return GetFileAttributesA(Path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class TDialogForm : public TComponent {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info = DescribeClass<TDialogForm, TComponent>("TDialogForm", [](auto&) {});
        return info;
    }
};

TEST(Dialogs, DescriptionSetsFilterAndDefaultExtension) {
    RegisterClass<TSaveDialog>();
    RegisterClass<TOpenPictureDialog>();
    RegisterClass<TDialogForm>();
    auto form = CreateOwned<TDialogForm>();
    ReadFormDescriptionText(form.get(), R"(
F: TDialogForm
  SaveDialog: TSaveDialog
    DefaultExt = "exe"
    Filter = "Installation File (*.exe)|*.exe"
  end
  OpenLogoDialog: TOpenPictureDialog
  end
end
)", "F");
    auto* save = dynamic_cast<TSaveDialog*>(form->FindComponent("SaveDialog"));
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->DefaultExt, "exe");
    EXPECT_EQ(save->Filter, "Installation File (*.exe)|*.exe");
    EXPECT_FALSE(save->Options.Contains(ofOverwritePrompt));
    EXPECT_FALSE(save->Options.Contains(ofFileMustExist));
    auto* logo = dynamic_cast<TOpenPictureDialog*>(form->FindComponent("OpenLogoDialog"));
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->Filter,
              "All (*.bmp;*.jpg;*.jpeg;*.ico)|*.bmp;*.jpg;*.jpeg;*.ico|Bitmaps (*.bmp)|*.bmp|"
              "JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|Icons (*.ico)|*.ico");
}

TEST(Dialogs, SaveAddsTheDefaultExtensionAndDoesNotAskToOverwrite) {
    const std::string base = TempName("tessaloom_dialog_save");
    {
        std::ofstream(base + ".qlm") << "old";
    }
    auto dialog = CreateOwned<TSaveDialog>();
    dialog->Filter = "Nimbrel Screensaver Project (*.QLM)|*.qlm";
    dialog->DefaultExt = "qlm";
    TFileDialogDriver user(base, IDOK);
    const bool ok = dialog->Execute();
    user.Join();
    EXPECT_TRUE(user.Found());
    EXPECT_TRUE(user.Extra.empty()) << user.Extra.front();
    EXPECT_TRUE(ok);
    EXPECT_EQ(dialog->FileName, base + ".qlm");
    EXPECT_EQ(user.FileTypes, (std::vector<std::string>{"Nimbrel Screensaver Project (*.QLM)"}));
    std::remove((base + ".qlm").c_str());
}

TEST(Dialogs, OpenTakesANameThatDoesNotExist) {
    const std::string name = TempName("tessaloom_dialog_missing.swf");
    ASSERT_FALSE(Exists(name));
    auto dialog = CreateOwned<TOpenDialog>();
    dialog->Filter = "Flash Movies (*.swf)|*.swf";
    TFileDialogDriver user(name, IDOK);
    const bool ok = dialog->Execute();
    user.Join();
    EXPECT_TRUE(user.Found());
    EXPECT_TRUE(user.Extra.empty()) << user.Extra.front();
    EXPECT_TRUE(ok);
    EXPECT_EQ(dialog->FileName, name);
}

TEST(Dialogs, CancelLeavesTheFileNameAsItWas) {
    auto dialog = CreateOwned<TOpenDialog>();
    dialog->FileName = "before.swf";
    dialog->Title = "Pick a movie";
    TFileDialogDriver user(TempName("other.swf"), IDCANCEL);
    EXPECT_FALSE(dialog->Execute());
    user.Join();
    EXPECT_TRUE(user.Found());
    EXPECT_EQ(user.Caption, "Pick a movie");
    EXPECT_EQ(dialog->FileName, "before.swf");
}

// The must-exist test, when asked for, refuses a missing file.
TEST(Dialogs, MustExistOptionRefusesAMissingFile) {
    auto dialog = CreateOwned<TOpenDialog>();
    dialog->Options.Include(ofFileMustExist);
    TFileDialogDriver user(TempName("tessaloom_dialog_nowhere.swf"), IDOK);
    EXPECT_FALSE(dialog->Execute());
    user.Join();
    EXPECT_EQ(user.Extra.size(), 1u);
}

}  // namespace
