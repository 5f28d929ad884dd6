#include "SetupForm.h"

#include "Application.h"
#include "DecompileUnit.h"
#include "DiskFileSystem.h"
#include "FileStream.h"
#include "FormFrame.h"
#include "HiddenBatch.h"
#include "Label.h"
#include "OwnPackage.h"
#include "FileStream.h"
#include "OwnProgramFile.h"
#include "ProjectUnit.h"
#include "RegistrySettings.h"
#include "Settings.h"
#include "SetupLogo.h"
#include "SkinButtons.h"
#include "SkinCheckBox.h"
#include "SkinImagePanel.h"
#include "SetupTexts.h"
#include "SkinClasses.h"
#include "SystemInfoUnit.h"
#include "Uninstall.h"
#include "URLLabel.h"

#include <optional>

#include <windows.h>

namespace {

// A component of the stored description; a description without it is a
// fault of the program, not of the installed file.
template <class T>
T* Part(TComponent* Form, const char* Name) {
    TComponent* c = Form->FindComponent(Name);
    if (!c || !c->Is<T>()) throw Exception(std::string("The setup window has no ") + Name);
    return static_cast<T*>(c);
}

// The removal batch is stored in the code page, so a folder whose name the
// code page cannot hold is named in it by its short form.
std::string OwnModuleFile() {
    const std::wstring path = OwnProgramPath();
    const std::optional<std::string> name = CodePageName(path);
    return name ? *name : CodePagePath(path);
}

}  // namespace

const TClassInfo& TSetupForm::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TSetupForm, TForm>("TSetupForm", [](auto& c) {
        c.template Handler<&TSetupForm::FormShow>("FormShow");
        c.template Handler<&TSetupForm::FormClose>("FormClose");
        c.template Handler<&TSetupForm::SaveBtnClick>("SaveBtnClick");
        c.template Handler<&TSetupForm::CancelBtnClick>("CancelBtnClick");
        c.template Handler<&TSetupForm::UninstallBtnClick>("UninstallBtnClick");
    });
    return info;
}

TSetupForm::TSetupForm(TSetupFormServices Services) : services_(std::move(Services)) {
    if (!services_.OpenAddress) services_.OpenAddress = TskURLLabel::ShellOpen;
    if (!services_.StartBatch) services_.StartBatch = StartHiddenBatch;
    if (!services_.Terminate) services_.Terminate = [] { Application->Terminate(); };
}

TSetupForm::~TSetupForm() = default;

void TSetupForm::Init() {
    // The classes the stored description names, known before it is read.
    RegisterClass<TLabel>();
    RegisterClass<TskURLLabel>();
    RegisterSkinClasses();
    TForm::Init();
    TitleLabel = Part<TLabel>(this, "TitleLabel");
    PublisherLabel = Part<TLabel>(this, "PublisherLabel");
    HomepageLabel = Part<TskURLLabel>(this, "HomepageLabel");
    EmailLabel = Part<TskURLLabel>(this, "EmailLabel");
    CopyrightLabel = Part<TLabel>(this, "CopyrightLabel");
    Frame = Part<TskForm>(this, "skSetupForm");
    LogoPanel = Part<TskImagePanel>(this, "LogoPanel");
    MuteCheckBox = Part<TskCheckBox>(this, "MuteCheckBox");
    IgnoreCheckBox = Part<TskCheckBox>(this, "IgnoreCheckBox");
    UninstallBtn = Part<TskButton>(this, "UninstallBtn");
    SaveBtn = Part<TskButton>(this, "SaveBtn");
    CancelBtn = Part<TskButton>(this, "CancelBtn");
    // The links open what they allow through the window's own service.
    HomepageLabel->OpenAddress = services_.OpenAddress;
    EmailLabel->OpenAddress = services_.OpenAddress;
}

std::string TSetupForm::ProgramFile() const {
    return services_.ProgramFile.empty() ? OwnModuleFile() : services_.ProgramFile;
}

void TSetupForm::FormShow(TObject*) {
    // The window opens even when its file cannot be read, with what was
    // filled so far, so the user sees the error and can still close it.
    try {
        Fill();
    } catch (...) {
        Application->HandleException(this);
    }
}

void TSetupForm::Fill() {
    project_ = std::make_unique<TProject>();
    const auto own = services_.ProgramFile.empty()
                         ? OpenOwnProgramFile()
                         : std::make_unique<TFileStream>(services_.ProgramFile, fmOpenRead | fmShareDenyNone);
    TDecompileStream package;
    package.Decompile(own.get());
    LoadProject(package, *project_);
    buildId_ = project_->BuildId;

    const TSetupTexts texts = SetupTextsFor(*project_);
    TitleLabel->SetCaption(texts.Title);
    if (!texts.Publisher.empty()) PublisherLabel->SetCaption(texts.Publisher);
    HomepageLabel->SetCaption(texts.HomepageCaption);
    HomepageLabel->SetURL(texts.HomepageURL);
    EmailLabel->SetCaption(texts.EmailCaption);
    EmailLabel->SetURL(texts.EmailURL);
    CopyrightLabel->SetCaption(texts.Copyright);
    SetCaption(texts.WindowCaption);
    Frame->SetFrameCaption(texts.WindowCaption);
    Application->SetTitle(texts.WindowCaption);

    if (!buildId_.empty()) {
        TRegistrySettings registry;
        const TScreensaverSettings settings = ReadSettings(registry, buildId_);
        MuteCheckBox->SetChecked(settings.Mute);
        IgnoreCheckBox->SetChecked(settings.IgnoreMouse);
    }

    auto logo = package.GetStream(kLogoStream, true);
    TDiskFileSystem files;
    TSystemInfo system;
    LoadLogoThroughFile(files, system.GetTempDirectory(), project_->LogoFile, *logo,
                        [this](const std::string& Path) { LogoPanel->Picture()->LoadFromFile(Path); });
}

void TSetupForm::FormClose(TObject*, TCloseAction&) { project_.reset(); }

void TSetupForm::SaveBtnClick(TObject*) {
    TRegistrySettings registry;
    // Without a build identifier (a file that could not be read) the key
    // would be the one all screensavers share.
    if (!buildId_.empty()) SaveSettings(registry, buildId_, {MuteCheckBox->Checked(), IgnoreCheckBox->Checked()});
    Close();
}

void TSetupForm::CancelBtnClick(TObject*) { Close(); }

void TSetupForm::UninstallBtnClick(TObject*) {
    if (Application->MessageBox(kRemoveQuestion, "Message", MB_YESNO) == IDYES) RemoveScreensaver();
}

void TSetupForm::RemoveScreensaver() {
    TDiskFileSystem files;
    TSystemInfo system;
    ::RemoveScreensaver(files, system.GetTempDirectory(), ProgramFile(),
                        {services_.StartBatch, services_.Terminate});
}
