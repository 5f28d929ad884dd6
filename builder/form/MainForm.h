#pragma once
// The builder's main window. Its layout, menus and dialogs come from the
// stored description (MainForm.form); its handlers are thin: the decisions
// are TBuilderCore's, which sees the window through TBuilderView. What only
// a window can do lives here: page switching, the preview player and the
// thumbnails taken from the screen, the popup menu and the timers.

#include "Application.h"
#include "Bitmap.h"
#include "BuilderCore.h"
#include "Form.h"

#include <functional>
#include <memory>
#include <string>

class TApplicationEvents;
class TCustomEdit;
class TImageList;
class TCustomListView;
class TCustomMemo;
class TMenuItem;
class TOpenDialog;
class TOpenPictureDialog;
class TPanel;
class TSaveDialog;
class TShockwaveFlash;
class TTimer;
class TskCheckBox;
class TskGroupBox;
class TskImagePanel;
class TskPageControl;

// Makes every class of the builder's forms known by name.
void RegisterBuilderClasses();

class TMainForm : public TForm, private TBuilderView {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    // The folder of the builder program (with its trailing "\"); the
    // installer, the runtime, the default logo and the help file are there.
    const std::string& BuilderFolder() const { return core_->BuilderFolder; }
    void SetBuilderFolder(const std::string& Folder) { core_->BuilderFolder = Folder; }
    const std::string& LogoPath() const { return core_->LogoPath; }

    // The thumbnail of the movie last previewed; exists while the window is
    // shown (from OnShow to OnClose).
    std::unique_ptr<TBitmap> Thumbnail;
    // Whether the preview was playing right after its movie was loaded.
    bool PreviewWasPlaying = false;
    // Starts a program or opens a document through the shell; the help file,
    // the web page, a new builder and the built package go through it.
    std::function<void(const std::string& File, const std::string& Parameters)> StartProgram;

    void LoadProject(const std::string& FileName);
    // The movie container of the listed movies; the caller owns it.
    std::unique_ptr<TMemoryStream> CompileFlashMovies();

    // Handlers bound by name from the description.
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void OpenTimerTimer(TObject* Sender);
    void ChangeLogoBtnClick(TObject* Sender);
    void LicenseCheckBoxClick(TObject* Sender);
    void SaveBtnClick(TObject* Sender);
    void MMNewProjectClick(TObject* Sender);
    void MMOpenProjectClick(TObject* Sender);
    void MMSaveProjectClick(TObject* Sender);
    void MMExitClick(TObject* Sender);
    void MMInformationClick(TObject* Sender);
    void MMFlashMoviesClick(TObject* Sender);
    void MMSettingsClick(TObject* Sender);
    void MMOutputClick(TObject* Sender);
    void MMContentClick(TObject* Sender);
    void MMWebPageClick(TObject* Sender);
    void MMAboutClick(TObject* Sender);
    void FlashEditChange(TObject* Sender);
    void OpenFlashBtnClick(TObject* Sender);
    void AddBtnClick(TObject* Sender);
    void RemoveBtnClick(TObject* Sender);
    void UpBtnClick(TObject* Sender);
    void DownBtnClick(TObject* Sender);
    void FlashListViewDblClick(TObject* Sender);
    void FlashTimerTimer(TObject* Sender);
    void AppEventsMessage(MSG& Msg, bool& Handled);
    void ListPopupMenuPopup(TObject* Sender);
    void PMAddClick(TObject* Sender);
    void PMRemoveClick(TObject* Sender);
    void PMMoveUpClick(TObject* Sender);
    void PMMoveDownClick(TObject* Sender);
    void PMPlayClick(TObject* Sender);
    void BuildBtnClick(TObject* Sender);
    void InstallBtnClick(TObject* Sender);

protected:
    void Init() override;

private:
    template <class T>
    T* Part(const char* Name);
    // Loads the movie into the preview and takes its first frame as the
    // thumbnail, for the current text of the movie edit.
    void PreviewMovie(const std::string& Path);
    void CaptureThumbnail();
    // The program's arguments as the builder's logic takes them.
    std::vector<std::string> StartupArguments();
    // The builder's own folder, with its trailing separator.
    std::string OwnFolder();

    // TBuilderView over the controls.
    void ShowMessage(const std::string& Caption, const std::string& Text) override;
    void ShowError(const std::string& Text) override;
    void SetActivePage(int Index) override;
    void ClearLog() override;
    void AddLogLine(const std::string& Line) override;
    std::string Title() override;
    void SetTitle(const std::string& Text) override;
    void LoadLogo(const std::string& FileName) override;
    std::string Publisher() override;
    void SetPublisher(const std::string& Text) override;
    std::string Homepage() override;
    void SetHomepage(const std::string& Text) override;
    std::string Email() override;
    void SetEmail(const std::string& Text) override;
    std::string Copyright() override;
    void SetCopyright(const std::string& Text) override;
    bool RandomPlay() override;
    void SetRandomPlay(bool Checked) override;
    bool ShowLicense() override;
    void SetShowLicense(bool Checked) override;
    void SetLicenseEnabled(bool Enabled) override;
    std::vector<std::string> LicenseLines() override;
    void SetLicenseLines(const std::vector<std::string>& Lines) override;
    std::string OutputFile() override;
    void SetOutputFile(const std::string& Text) override;
    std::string MovieEdit() override;
    void SetMovieEdit(const std::string& Path) override;
    int AddThumbnail() override;
    int MovieCount() override;
    std::string MovieCaption(int Index) override;
    int MovieImage(int Index) override;
    void AppendMovie(const std::string& Caption, int Image) override;
    void SetMovie(int Index, const std::string& Caption, int Image) override;
    void DeleteMovie(int Index) override;
    int SelectedMovie() override;

    std::unique_ptr<TBuilderCore> core_;
    // A preview is being loaded and captured; a change of the movie edit
    // meanwhile only asks for another round once it is done.
    bool previewing_ = false;
    bool previewAgain_ = false;

    TskPageControl* pages_ = nullptr;
    TCustomEdit* titleEdit_ = nullptr;
    TskImagePanel* logoPanel_ = nullptr;
    TCustomEdit* authorEdit_ = nullptr;
    TCustomEdit* homepageEdit_ = nullptr;
    TCustomEdit* emailEdit_ = nullptr;
    TCustomEdit* copyrightEdit_ = nullptr;
    TCustomEdit* flashEdit_ = nullptr;
    TShockwaveFlash* flash_ = nullptr;
    TCustomListView* flashList_ = nullptr;
    TImageList* screenshots_ = nullptr;
    TskCheckBox* randomCheck_ = nullptr;
    TskCheckBox* licenseCheck_ = nullptr;
    TskGroupBox* licenseGroup_ = nullptr;
    TCustomMemo* licenseMemo_ = nullptr;
    TCustomEdit* saveEdit_ = nullptr;
    TCustomMemo* logMemo_ = nullptr;
    TTimer* openTimer_ = nullptr;
    TTimer* flashTimer_ = nullptr;
    TMenuItem* pmAdd_ = nullptr;
    TMenuItem* pmRemove_ = nullptr;
    TMenuItem* pmMoveUp_ = nullptr;
    TMenuItem* pmMoveDown_ = nullptr;
    TMenuItem* pmPlay_ = nullptr;
    TOpenPictureDialog* openLogoDialog_ = nullptr;
    TSaveDialog* saveDialog_ = nullptr;
    TOpenDialog* openDialog_ = nullptr;
    TOpenDialog* openProjectDialog_ = nullptr;
    TSaveDialog* saveProjectDialog_ = nullptr;
};

// The addresses the builder opens.
inline constexpr const char* kProductWebPage = "https://tessaloom.example.org/";
inline constexpr const char* kMakerHomePage = "https://www.example.org/";
