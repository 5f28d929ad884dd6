#include "MainForm.h"

#include "AboutForm.h"
#include "ApplicationEvents.h"
#include "BuilderFiles.h"
#include "Dialogs.h"
#include "Edit.h"
#include "FileStream.h"
#include "ImageList.h"
#include "Label.h"
#include "ListView.h"
#include "Memo.h"
#include "Menus.h"
#include "Panel.h"
#include "Picture.h"
#include "ShockwaveFlash.h"
#include "SkinCheckBox.h"
#include "SkinClasses.h"
#include "SkinGroupBox.h"
#include "SkinImagePanel.h"
#include "SkinPageControl.h"
#include "StdControls.h"
#include "SysUtils.h"
#include "SystemServices.h"
#include "Timer.h"

#include <shellapi.h>

#include <optional>

namespace {

constexpr int kThumbnailSize = 128;
// Time the preview gets to put its first frame on the screen.
constexpr DWORD kFirstFrameWait = 300;

// Clears a flag when the scope ends, also by an exception.
class TFlagScope {
public:
    explicit TFlagScope(bool& Flag) : flag_(Flag) { flag_ = true; }
    ~TFlagScope() { flag_ = false; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& flag_;
};

// A screen device context for the length of a scope.
class TScreenDC {
public:
    TScreenDC() : dc_(GetDC(nullptr)) {}
    ~TScreenDC() { ReleaseDC(nullptr, dc_); }
    TScreenDC(const TScreenDC&) = delete;
    TScreenDC& operator=(const TScreenDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

}  // namespace

void RegisterBuilderClasses() {
    RegisterStandardControls();
    RegisterSkinClasses();
    // A class's table registers it by name when first asked for.
    TShockwaveFlash::StaticClassInfo();
    TPanel::StaticClassInfo();
    TLabel::StaticClassInfo();
    TTimer::StaticClassInfo();
    TImageList::StaticClassInfo();
    TApplicationEvents::StaticClassInfo();
    TMainMenu::StaticClassInfo();
    TPopupMenu::StaticClassInfo();
    TMenuItem::StaticClassInfo();
    TOpenDialog::StaticClassInfo();
    TSaveDialog::StaticClassInfo();
    TOpenPictureDialog::StaticClassInfo();
}

const TClassInfo& TMainForm::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TMainForm, TForm>("TMainForm", [](auto& c) {
        c.template Handler<&TMainForm::FormShow>("FormShow");
        c.template Handler<&TMainForm::FormClose>("FormClose");
        c.template Handler<&TMainForm::OpenTimerTimer>("OpenTimerTimer");
        c.template Handler<&TMainForm::ChangeLogoBtnClick>("ChangeLogoBtnClick");
        c.template Handler<&TMainForm::LicenseCheckBoxClick>("LicenseCheckBoxClick");
        c.template Handler<&TMainForm::SaveBtnClick>("SaveBtnClick");
        c.template Handler<&TMainForm::MMNewProjectClick>("MMNewProjectClick");
        c.template Handler<&TMainForm::MMOpenProjectClick>("MMOpenProjectClick");
        c.template Handler<&TMainForm::MMSaveProjectClick>("MMSaveProjectClick");
        c.template Handler<&TMainForm::MMExitClick>("MMExitClick");
        c.template Handler<&TMainForm::MMInformationClick>("MMInformationClick");
        c.template Handler<&TMainForm::MMFlashMoviesClick>("MMFlashMoviesClick");
        c.template Handler<&TMainForm::MMSettingsClick>("MMSettingsClick");
        c.template Handler<&TMainForm::MMOutputClick>("MMOutputClick");
        c.template Handler<&TMainForm::MMContentClick>("MMContentClick");
        c.template Handler<&TMainForm::MMWebPageClick>("MMWebPageClick");
        c.template Handler<&TMainForm::MMAboutClick>("MMAboutClick");
        c.template Handler<&TMainForm::FlashEditChange>("FlashEditChange");
        c.template Handler<&TMainForm::OpenFlashBtnClick>("OpenFlashBtnClick");
        c.template Handler<&TMainForm::AddBtnClick>("AddBtnClick");
        c.template Handler<&TMainForm::RemoveBtnClick>("RemoveBtnClick");
        c.template Handler<&TMainForm::UpBtnClick>("UpBtnClick");
        c.template Handler<&TMainForm::DownBtnClick>("DownBtnClick");
        c.template Handler<&TMainForm::FlashListViewDblClick>("FlashListViewDblClick");
        c.template Handler<&TMainForm::FlashTimerTimer>("FlashTimerTimer");
        c.template Handler<&TMainForm::AppEventsMessage>("AppEventsMessage");
        c.template Handler<&TMainForm::ListPopupMenuPopup>("ListPopupMenuPopup");
        c.template Handler<&TMainForm::PMAddClick>("PMAddClick");
        c.template Handler<&TMainForm::PMRemoveClick>("PMRemoveClick");
        c.template Handler<&TMainForm::PMMoveUpClick>("PMMoveUpClick");
        c.template Handler<&TMainForm::PMMoveDownClick>("PMMoveDownClick");
        c.template Handler<&TMainForm::PMPlayClick>("PMPlayClick");
        c.template Handler<&TMainForm::BuildBtnClick>("BuildBtnClick");
        c.template Handler<&TMainForm::InstallBtnClick>("InstallBtnClick");
    });
    return info;
}

template <class T>
T* TMainForm::Part(const char* Name) {
    auto* part = dynamic_cast<T*>(FindComponent(Name));
    if (!part) throw Exception(std::string("The main window has no component ") + Name);
    return part;
}

void TMainForm::Init() {
    TForm::Init();
    pages_ = Part<TskPageControl>("skPageControl1");
    titleEdit_ = Part<TCustomEdit>("TitleEdit");
    logoPanel_ = Part<TskImagePanel>("LogoPanel");
    authorEdit_ = Part<TCustomEdit>("AuthorEdit");
    homepageEdit_ = Part<TCustomEdit>("HomepageEdit");
    emailEdit_ = Part<TCustomEdit>("EmailEdit");
    copyrightEdit_ = Part<TCustomEdit>("CopyrightEdit");
    flashEdit_ = Part<TCustomEdit>("FlashEdit");
    flash_ = Part<TShockwaveFlash>("ShockwaveFlash");
    flashList_ = Part<TCustomListView>("FlashListView");
    screenshots_ = Part<TImageList>("ScreenshotList");
    randomCheck_ = Part<TskCheckBox>("RandomCheckBox");
    licenseCheck_ = Part<TskCheckBox>("LicenseCheckBox");
    licenseGroup_ = Part<TskGroupBox>("LicenseGroup");
    licenseMemo_ = Part<TCustomMemo>("LicenseMemo");
    saveEdit_ = Part<TCustomEdit>("SaveEdit");
    logMemo_ = Part<TCustomMemo>("LogMemo");
    openTimer_ = Part<TTimer>("OpenTimer");
    flashTimer_ = Part<TTimer>("FlashTimer");
    pmAdd_ = Part<TMenuItem>("PMAdd");
    pmRemove_ = Part<TMenuItem>("PMRemove");
    pmMoveUp_ = Part<TMenuItem>("PMMoveUp");
    pmMoveDown_ = Part<TMenuItem>("PMMoveDown");
    pmPlay_ = Part<TMenuItem>("PMPlay");
    openLogoDialog_ = Part<TOpenPictureDialog>("OpenLogoDialog");
    saveDialog_ = Part<TSaveDialog>("SaveDialog");
    openDialog_ = Part<TOpenDialog>("OpenDialog");
    openProjectDialog_ = Part<TOpenDialog>("OpenProjectDialog");
    saveProjectDialog_ = Part<TSaveDialog>("SaveProjectDialog");

    TBuilderServices services = SystemBuilderServices([this] { return Handle(); });
    StartProgram = services.StartProgram;
    // Through the member, so that whoever replaces it is asked at the time.
    services.StartProgram = [this](const std::string& File, const std::string& Parameters) {
        if (StartProgram) StartProgram(File, Parameters);
    };
    core_ = std::make_unique<TBuilderCore>(static_cast<TBuilderView&>(*this), std::move(services));
}

// ---- start-up, pages and the commands of the window ----

void TMainForm::FormShow(TObject*) {
    Thumbnail = std::make_unique<TBitmap>();
    Thumbnail->SetSize(kThumbnailSize, kThumbnailSize);
    core_->BuilderFolder = OwnFolder();
    core_->ShowDefaultLogo();
    openTimer_->SetEnabled(true);
}

void TMainForm::FormClose(TObject*, TCloseAction&) { Thumbnail.reset(); }

void TMainForm::OpenTimerTimer(TObject*) {
    openTimer_->SetEnabled(false);
    core_->OpenStartupFile(StartupArguments());
}

std::vector<std::string> TMainForm::StartupArguments() {
    // The arguments are taken wide, so that a file in a folder whose name
    // the system code page cannot hold still opens.
    std::vector<std::string> args;
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> argv(CommandLineToArgvW(GetCommandLineW(), &count), &LocalFree);
    if (!argv) return args;
    for (int i = 1; i < count; ++i) {
        const std::wstring wide = argv.get()[i];
        const std::optional<std::string> name = CodePageName(wide);
        if (!name && i == 1)
            ShowMessage("Message", Format("The File Cannot Be Opened:\r\n%s\r\nIts Name Holds Characters That "
                                          "The System Code Page Cannot Show",
                                          CodePagePath(wide)));
        args.push_back(name ? *name : CodePagePath(wide));
    }
    return args;
}

std::string TMainForm::OwnFolder() {
    // The installer, runtime and default logo lie beside the program, which
    // may be in a folder whose name the system code page cannot hold.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::optional<std::string> name = CodePageName(path);
    return ExtractFilePath(name ? *name : Application->ExeName());
}

void TMainForm::ChangeLogoBtnClick(TObject*) {
    if (openLogoDialog_->Execute() && core_->AcceptPickedFile(openLogoDialog_->FileName)) core_->ChangeLogo(openLogoDialog_->FileName);
}

void TMainForm::LicenseCheckBoxClick(TObject*) { SetLicenseEnabled(licenseCheck_->Checked()); }

void TMainForm::SaveBtnClick(TObject*) {
    if (saveDialog_->Execute() && core_->AcceptPickedFile(saveDialog_->FileName)) saveEdit_->SetText(saveDialog_->FileName);
}

void TMainForm::MMNewProjectClick(TObject*) { StartProgram(Application->ExeName(), ""); }

void TMainForm::MMOpenProjectClick(TObject*) {
    if (openProjectDialog_->Execute() && core_->AcceptPickedFile(openProjectDialog_->FileName)) LoadProject(openProjectDialog_->FileName);
}

void TMainForm::MMSaveProjectClick(TObject*) {
    if (saveProjectDialog_->Execute() && core_->AcceptPickedFile(saveProjectDialog_->FileName))
        core_->SaveProject(saveProjectDialog_->FileName);
}

void TMainForm::MMExitClick(TObject*) { Close(); }
void TMainForm::MMInformationClick(TObject*) { SetActivePage(pgInformation); }
void TMainForm::MMFlashMoviesClick(TObject*) { SetActivePage(pgFlashMovies); }
void TMainForm::MMSettingsClick(TObject*) { SetActivePage(pgSettings); }
void TMainForm::MMOutputClick(TObject*) { SetActivePage(pgOutput); }
void TMainForm::MMContentClick(TObject*) { StartProgram(core_->BuilderFolder + "Tessaloom.chm", ""); }
void TMainForm::MMWebPageClick(TObject*) { StartProgram(kProductWebPage, ""); }

void TMainForm::MMAboutClick(TObject*) {
    TOwned<TAboutForm> about(Create<TAboutForm>(this));
    about->ShowModal();
}

void TMainForm::LoadProject(const std::string& FileName) { core_->LoadProject(FileName); }

std::unique_ptr<TMemoryStream> TMainForm::CompileFlashMovies() { return core_->CompileMovies(); }

void TMainForm::BuildBtnClick(TObject*) { core_->Build(); }
void TMainForm::InstallBtnClick(TObject*) { core_->InstallNow(); }

// ---- the movie page ----

void TMainForm::FlashEditChange(TObject*) {
    // Taking a thumbnail lets messages through; a change that comes in then
    // (typing on, a timer, another program) is previewed after this one, so
    // the preview and the thumbnail end up showing the text's last movie.
    if (previewing_) {
        previewAgain_ = true;
        return;
    }
    TFlagScope busy(previewing_);
    do {
        previewAgain_ = false;
        PreviewMovie(flashEdit_->Text());
    } while (previewAgain_ && Thumbnail);
}

void TMainForm::PreviewMovie(const std::string& Path) {
    if (!TBuilderFiles::Exists(Path)) return;
    flash_->SetMovie(Path);
    PreviewWasPlaying = flash_->Playing();
    flash_->GotoFrame(0);
    flash_->Stop();
    flash_->SetLoop(false);
    CaptureThumbnail();
    // The window may have been closed while the capture let messages through.
    if (PreviewWasPlaying && Thumbnail) flash_->Play();
}

void TMainForm::CaptureThumbnail() {
    // The pixels come from the screen, so nothing may cover the preview.
    if (HandleAllocated()) {
        SetForegroundWindow(Handle());
        BringWindowToTop(Handle());
    }
    Application->ProcessMessages();
    if (!Thumbnail || !flash_->Showing()) return;
    // Drawn whole now rather than when the screen reports what the raise
    // uncovered: that report may come after the shot below.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(kFirstFrameWait);
    if (!Thumbnail || !flash_->Showing()) return;

    // The preview's own place on the screen, whatever the frame and fonts
    // make of the layout around it.
    RECT place;
    GetWindowRect(flash_->Handle(), &place);
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    TBitmap shot;
    shot.SetSize(width, height);
    {
        TScreenDC screen;
        BitBlt(shot.Canvas()->Handle(), 0, 0, width, height, screen.Get(), place.left, place.top, SRCCOPY);
    }
    HDC thumb = Thumbnail->Canvas()->Handle();
    SetStretchBltMode(thumb, HALFTONE);
    SetBrushOrgEx(thumb, 0, 0, nullptr);
    StretchBlt(thumb, 0, 0, kThumbnailSize, kThumbnailSize, shot.Canvas()->Handle(), 0, 0, width, height, SRCCOPY);
    GdiFlush();
}

void TMainForm::OpenFlashBtnClick(TObject*) {
    if (openDialog_->Execute() && core_->AcceptPickedFile(openDialog_->FileName)) flashEdit_->SetText(openDialog_->FileName);
}

void TMainForm::AddBtnClick(TObject*) { core_->AddMovie(); }
void TMainForm::RemoveBtnClick(TObject*) { core_->RemoveMovie(); }
void TMainForm::UpBtnClick(TObject*) { core_->MoveMovieUp(); }
void TMainForm::DownBtnClick(TObject*) { core_->MoveMovieDown(); }
void TMainForm::FlashListViewDblClick(TObject*) { core_->PlayMovie(); }

void TMainForm::FlashTimerTimer(TObject*) {
    if (PreviewWasPlaying && !flash_->Playing() && TBuilderFiles::Exists(flashEdit_->Text())) flash_->Play();
}

void TMainForm::AppEventsMessage(MSG& Msg, bool& Handled) {
    if (Msg.message == WM_RBUTTONDOWN && pages_->GetActivePageIndex() == pgFlashMovies) Handled = true;
}

void TMainForm::ListPopupMenuPopup(TObject*) {
    const TMoviePopupState state = core_->PopupState();
    pmAdd_->SetEnabled(state.Add);
    pmRemove_->SetEnabled(state.Remove);
    pmMoveUp_->SetEnabled(state.MoveUp);
    pmMoveDown_->SetEnabled(state.MoveDown);
    pmPlay_->SetEnabled(state.Play);
}

void TMainForm::PMAddClick(TObject*) { core_->AddMovie(); }
void TMainForm::PMRemoveClick(TObject*) { core_->RemoveMovie(); }
void TMainForm::PMMoveUpClick(TObject*) { core_->MoveMovieUp(); }
void TMainForm::PMMoveDownClick(TObject*) { core_->MoveMovieDown(); }
void TMainForm::PMPlayClick(TObject*) { core_->PlayMovie(); }

// ---- the window as the builder's logic sees it ----

void TMainForm::ShowMessage(const std::string& Caption, const std::string& Text) {
    Application->MessageBox(Text, Caption, MB_OK);
}

void TMainForm::ShowError(const std::string& Text) { Application->ShowException(Text); }
void TMainForm::SetActivePage(int Index) { pages_->SetActivePageIndex(Index); }
void TMainForm::ClearLog() { logMemo_->Lines()->Clear(); }
void TMainForm::AddLogLine(const std::string& Line) { logMemo_->Lines()->Add(Line); }
std::string TMainForm::Title() { return titleEdit_->Text(); }
void TMainForm::SetTitle(const std::string& Text) { titleEdit_->SetText(Text); }
void TMainForm::LoadLogo(const std::string& FileName) { logoPanel_->Picture()->LoadFromFile(FileName); }
std::string TMainForm::Publisher() { return authorEdit_->Text(); }
void TMainForm::SetPublisher(const std::string& Text) { authorEdit_->SetText(Text); }
std::string TMainForm::Homepage() { return homepageEdit_->Text(); }
void TMainForm::SetHomepage(const std::string& Text) { homepageEdit_->SetText(Text); }
std::string TMainForm::Email() { return emailEdit_->Text(); }
void TMainForm::SetEmail(const std::string& Text) { emailEdit_->SetText(Text); }
std::string TMainForm::Copyright() { return copyrightEdit_->Text(); }
void TMainForm::SetCopyright(const std::string& Text) { copyrightEdit_->SetText(Text); }
bool TMainForm::RandomPlay() { return randomCheck_->Checked(); }
void TMainForm::SetRandomPlay(bool Checked) { randomCheck_->SetChecked(Checked); }
bool TMainForm::ShowLicense() { return licenseCheck_->Checked(); }
void TMainForm::SetShowLicense(bool Checked) { licenseCheck_->SetChecked(Checked); }

void TMainForm::SetLicenseEnabled(bool Enabled) {
    // The group box passes its state on to the memo.
    licenseGroup_->SetEnabled(Enabled);
}

std::vector<std::string> TMainForm::LicenseLines() {
    std::vector<std::string> lines;
    TStrings* memo = licenseMemo_->Lines();
    for (int i = 0; i < memo->Count(); ++i) lines.push_back(memo->Strings(i));
    return lines;
}

void TMainForm::SetLicenseLines(const std::vector<std::string>& Lines) {
    // One assignment of the whole text: a long agreement goes in as fast as a short one.
    TStringList lines;
    for (const std::string& line : Lines) lines.Add(line);
    licenseMemo_->Lines()->Assign(&lines);
}

std::string TMainForm::OutputFile() { return saveEdit_->Text(); }
void TMainForm::SetOutputFile(const std::string& Text) { saveEdit_->SetText(Text); }
std::string TMainForm::MovieEdit() { return flashEdit_->Text(); }
void TMainForm::SetMovieEdit(const std::string& Path) { flashEdit_->SetText(Path); }

int TMainForm::AddThumbnail() {
    if (!Thumbnail) return -1;
    return screenshots_->Add(Thumbnail.get());
}

int TMainForm::MovieCount() { return flashList_->Items()->Count(); }
std::string TMainForm::MovieCaption(int Index) { return flashList_->Items()->Item(Index)->Caption(); }
int TMainForm::MovieImage(int Index) { return flashList_->Items()->Item(Index)->ImageIndex(); }

void TMainForm::AppendMovie(const std::string& Caption, int Image) {
    TListItem* item = flashList_->Items()->Add();
    item->SetCaption(Caption);
    item->SetImageIndex(Image);
}

void TMainForm::SetMovie(int Index, const std::string& Caption, int Image) {
    TListItem* item = flashList_->Items()->Item(Index);
    item->SetCaption(Caption);
    item->SetImageIndex(Image);
}

void TMainForm::DeleteMovie(int Index) { flashList_->Items()->Delete(Index); }

int TMainForm::SelectedMovie() {
    TListItem* item = flashList_->Selected();
    return item ? item->Index() : -1;
}
