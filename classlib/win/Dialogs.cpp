#include "Dialogs.h"

#include "Picture.h"
#include "TypInfo.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

namespace {

// "a|b|c|d" becomes "a\0b\0c\0d\0\0", as the dialog wants it.
std::string DialogFilter(const std::string& Filter) {
    std::string result = Filter;
    for (char& ch : result)
        if (ch == '|') ch = '\0';
    result.push_back('\0');
    result.push_back('\0');
    return result;
}

DWORD Flags(TOpenOptions Options) {
    DWORD flags = OFN_EXPLORER;
    const struct {
        TOpenOption option;
        DWORD flag;
    } table[] = {
        {ofReadOnly, OFN_READONLY},           {ofOverwritePrompt, OFN_OVERWRITEPROMPT},
        {ofHideReadOnly, OFN_HIDEREADONLY},   {ofNoChangeDir, OFN_NOCHANGEDIR},
        {ofPathMustExist, OFN_PATHMUSTEXIST}, {ofFileMustExist, OFN_FILEMUSTEXIST},
        {ofCreatePrompt, OFN_CREATEPROMPT},   {ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
        {ofEnableSizing, OFN_ENABLESIZING},
    };
    for (const auto& t : table)
        if (Options.Contains(t.option)) flags |= t.flag;
    return flags;
}

const std::vector<std::string> OptionNames = {"ofReadOnly",      "ofOverwritePrompt", "ofHideReadOnly",
                                              "ofNoChangeDir",   "ofPathMustExist",   "ofFileMustExist",
                                              "ofCreatePrompt",  "ofNoReadOnlyReturn", "ofEnableSizing"};

}  // namespace

bool TOpenDialog::Execute() {
    // Long enough for any path the A functions take, with room to spare.
    std::vector<char> file(32768, '\0');
    FileName.copy(file.data(), file.size() - 1);
    const std::string filter = DialogFilter(Filter);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = GetActiveWindow();
    ofn.hInstance = GetModuleHandleA(nullptr);
    ofn.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(FilterIndex);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
    ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
    ofn.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
    ofn.Flags = Flags(Options);
    if (!RunDialog(&ofn)) return false;
    FileName = file.data();
    FilterIndex = static_cast<int>(ofn.nFilterIndex);
    return true;
}

bool TOpenDialog::RunDialog(void* OpenFileName) {
    return GetOpenFileNameA(static_cast<OPENFILENAMEA*>(OpenFileName)) != FALSE;
}

bool TSaveDialog::RunDialog(void* OpenFileName) {
    return GetSaveFileNameA(static_cast<OPENFILENAMEA*>(OpenFileName)) != FALSE;
}

std::string GraphicFilter() {
    std::string all, each;
    for (const TGraphicFormat& f : TPicture::Formats()) {
        const std::string mask = "*." + f.Extension;
        all += (all.empty() ? "" : ";") + mask;
        each += "|" + f.Description + " (" + mask + ")|" + mask;
    }
    return "All (" + all + ")|" + all + each;
}

void TOpenPictureDialog::Init() {
    TOpenDialog::Init();
    Filter = GraphicFilter();
}

const TClassInfo& TCommonDialog::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TCommonDialog, TComponent>("TCommonDialog", [](auto&) {});
    return info;
}
const TClassInfo& TCommonDialog::ClassInfo() const { return StaticClassInfo(); }

const TClassInfo& TOpenDialog::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TOpenDialog, TCommonDialog>("TOpenDialog", [](auto& c) {
        c.Field("DefaultExt", &TOpenDialog::DefaultExt);
        c.Field("FileName", &TOpenDialog::FileName);
        c.Field("Filter", &TOpenDialog::Filter);
        c.Field("FilterIndex", &TOpenDialog::FilterIndex);
        c.Field("InitialDir", &TOpenDialog::InitialDir);
        c.template Set<TOpenOption>("Options", &TOpenDialog::GetOptions, &TOpenDialog::SetOptions, OptionNames);
        c.Field("Title", &TOpenDialog::Title);
    });
    return info;
}
const TClassInfo& TOpenDialog::ClassInfo() const { return StaticClassInfo(); }

const TClassInfo& TSaveDialog::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TSaveDialog, TOpenDialog>("TSaveDialog", [](auto&) {});
    return info;
}
const TClassInfo& TSaveDialog::ClassInfo() const { return StaticClassInfo(); }

const TClassInfo& TOpenPictureDialog::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TOpenPictureDialog, TOpenDialog>("TOpenPictureDialog", [](auto&) {});
    return info;
}
const TClassInfo& TOpenPictureDialog::ClassInfo() const { return StaticClassInfo(); }
