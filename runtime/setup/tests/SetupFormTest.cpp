// The setup dialog as its user meets it: an installed screensaver file made
// by the installer's classes from the sample movies, the dialog shown for it,
// its buttons, check boxes and links clicked, its question answered through
// the message box, and the registry and files looked at afterwards.
#include "Application.h"
#include "Bitmap.h"
#include "CompileUnit.h"
#include "DialogAnswerer.h"
#include "EnvironmentValue.h"
#include "FormFrame.h"
#include "GuidCreate.h"
#include "InstallPackage.h"
#include "Label.h"
#include "MenuDriver.h"
#include "Process.h"
#include "ProjectUnit.h"
#include "Pump.h"
#include "SetupForm.h"
#include "SetupTestPaths.h"
#include "SkinButtons.h"
#include "SkinCheckBox.h"
#include "SkinImagePanel.h"
#include "StdControls.h"
#include "TestFolder.h"
#include "TitleBar.h"
#include "URLLabel.h"
#include "UserInput.h"
#include "WaitUntil.h"
#include "WindowShot.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <wincodec.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <functional>
#include <optional>
#include <vector>

namespace {

std::string ModuleFolder() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p(path, n);
    return p.substr(0, p.find_last_of('\\') + 1);
}

std::string Bytes(TMemoryStream& S) {
    return std::string(static_cast<const char*>(S.Memory()), static_cast<std::size_t>(S.Size()));
}

std::string ReadWholeFile(const std::string& Path) { return TTestFolder::Read(Path); }

bool FileExists(const std::string& Path) { return GetFileAttributesA(Path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void WriteWholeFile(const std::string& Path, const std::string& Bytes) {
    HANDLE h = CreateFileA(Path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD n = 0;
    WriteFile(h, Bytes.data(), static_cast<DWORD>(Bytes.size()), &n, nullptr);
    CloseHandle(h);
}

std::vector<std::string> FilesIn(const std::string& Folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA d;
    HANDLE h = FindFirstFileA((Folder + "\\*").c_str(), &d);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string n = d.cFileName;
        if (n != "." && n != "..") names.push_back(n);
    } while (FindNextFileA(h, &d));
    FindClose(h);
    return names;
}

constexpr int kLogoWidth = 96, kLogoHeight = 64;

// A logo as the builder's user might pick one: a 96x64 bitmap, blue above,
// orange below, a white bar in the middle. The logo is drawn transparent, and
// a bitmap's transparent colour is that of its lower left corner: the frame's.
std::string LogoBitmap() {
    TBitmap b;
    b.SetSize(kLogoWidth, kLogoHeight);
    b.Canvas()->Brush()->SetColor(TColor(0x404040));
    b.Canvas()->FillRect({0, 0, kLogoWidth, kLogoHeight});
    b.Canvas()->Brush()->SetColor(TColor(0xC05020));
    b.Canvas()->FillRect({2, 2, kLogoWidth - 2, kLogoHeight / 2});
    b.Canvas()->Brush()->SetColor(TColor(0x1080F0));
    b.Canvas()->FillRect({2, kLogoHeight / 2, kLogoWidth - 2, kLogoHeight - 2});
    b.Canvas()->Brush()->SetColor(TColor(0xFFFFFF));
    b.Canvas()->FillRect({8, 28, 88, 36});
    TMemoryStream s;
    b.SaveToStream(&s);
    return Bytes(s);
}

// The same logo as a JPEG file, encoded through the imaging component.
std::string LogoJpeg() {
    TBitmap b;
    const std::string bmp = LogoBitmap();
    TMemoryStream in;
    in.WriteBuffer(bmp.data(), static_cast<std::int64_t>(bmp.size()));
    in.SetPosition(0);
    b.LoadFromStream(&in);

    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    std::string jpeg;
    IWICImagingFactory* factory = nullptr;
    IWICBitmap* source = nullptr;
    IStream* stream = nullptr;
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                   reinterpret_cast<void**>(&factory))) &&
        SUCCEEDED(factory->CreateBitmapFromHBITMAP(b.Handle(), nullptr, WICBitmapIgnoreAlpha, &source)) &&
        SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)) &&
        SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, &encoder)) &&
        SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
        SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
        SUCCEEDED(frame->SetSize(kLogoWidth, kLogoHeight)) && SUCCEEDED(frame->WriteSource(source, nullptr)) &&
        SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit())) {
        STATSTG stat{};
        stream->Stat(&stat, STATFLAG_NONAME);
        jpeg.resize(static_cast<std::size_t>(stat.cbSize.QuadPart));
        LARGE_INTEGER start{};
        stream->Seek(start, STREAM_SEEK_SET, nullptr);
        ULONG read = 0;
        stream->Read(jpeg.data(), static_cast<ULONG>(jpeg.size()), &read);
    }
    for (IUnknown* u : std::initializer_list<IUnknown*>{frame, encoder, stream, source, factory})
        if (u) u->Release();
    if (com) CoUninitialize();
    return jpeg;
}

// What a screensaver's project says about itself.
struct TSaverTexts {
    std::string Title = "Orbits and Tides";
    std::string Publisher = "Nimbrel Studio";
    std::string Homepage = "www.nimbrel.example";
    std::string Email = "screensavers@nimbrel.example";
    std::string Copyright = "Copyright (c) 2026 Nimbrel Studio";
    std::string LogoFile = "C:\\Art\\logo.bmp";
    std::string Logo = LogoBitmap();
};

// An installed screensaver file made as the installer makes it: a package
// with the builder's stream order, loaded and turned into the installed file.
std::string InstalledFile(const TSaverTexts& Texts, const std::string& BuildId, const std::string& Runtime) {
    const std::string samples = ModuleFolder() + SamplesFromTests + "\\";
    TProject project;
    project.Title = Texts.Title;
    project.Publisher = Texts.Publisher;
    project.Homepage = Texts.Homepage;
    project.Email = Texts.Email;
    project.Copyright = Texts.Copyright;
    project.LogoFile = Texts.LogoFile;
    project.BuildId = BuildId;
    TCompileStream movies;
    for (const char* name : {"orbits.swf", "tide.swf"}) {
        const std::string movie = ReadWholeFile(samples + name);
        EXPECT_GT(movie.size(), 100u) << "sample movie " << name << " not found in " << samples;
        TMemoryStream m;
        m.WriteBuffer(movie.data(), static_cast<std::int64_t>(movie.size()));
        movies.AddStream(&m, true);
        project.FlashList->Add(samples + name);
    }
    project.SaveToStream();

    TMemoryStream installer, runtime, logo;
    installer.WriteBuffer("MZ installer", 12);
    runtime.WriteBuffer(Runtime.data(), static_cast<std::int64_t>(Runtime.size()));
    logo.WriteBuffer(Texts.Logo.data(), static_cast<std::int64_t>(Texts.Logo.size()));
    TCompileStream package;
    package.AddStream(&installer, false);
    package.AddStream(&runtime, true);
    package.AddStream(movies.Compile(), true);
    package.AddStream(project.ProjectStream.get(), true);
    package.AddStream(&logo, true);

    TInstallPackage install;
    install.Load(package.Compile());
    return Bytes(*install.InstalledFile());
}

// The registry key of one screensaver, removed before and after the test.
class TSaverKey {
public:
    explicit TSaverKey(std::string BuildId) : id_(std::move(BuildId)) { Remove(); }
    ~TSaverKey() { Remove(); }
    TSaverKey(const TSaverKey&) = delete;
    TSaverKey& operator=(const TSaverKey&) = delete;

    std::string Name() const { return "Software\\Nimbrel\\Screensavers\\" + id_; }
    bool Exists() const {
        HKEY k;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, Name().c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
        RegCloseKey(k);
        return true;
    }
    void Write(const char* Value, DWORD Data) const {
        HKEY k;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, Name().c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(k, Value, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&Data), sizeof Data);
        RegCloseKey(k);
    }
    // The value's data, or nothing when it (or the key) is missing.
    std::optional<DWORD> Read(const char* Value) const {
        DWORD data = 0, size = sizeof data, type = 0;
        if (RegGetValueA(HKEY_CURRENT_USER, Name().c_str(), Value, RRF_RT_REG_DWORD, &type, &data, &size) !=
            ERROR_SUCCESS)
            return std::nullopt;
        return data;
    }

private:
    void Remove() const { RegDeleteKeyA(HKEY_CURRENT_USER, Name().c_str()); }
    std::string id_;
};

// The process's temporary folder moved into the test's own folder, so the
// logo copy and "remove.bat" can be watched without touching the user's.
class TTempFolder {
public:
    explicit TTempFolder(const std::string& Path) : tmp_("TMP", Path), temp_("TEMP", Path) {}

private:
    TEnvironmentValue tmp_, temp_;
};

// A mouse click on the form where a control without a window of its own is.
// A click on a label, as the window under it (the frame's) takes it.
void ClickOn(TSetupForm& Form, TControl& Control) {
    HWND window = Control.Parent() ? Control.Parent()->Handle() : Form.Handle();
    const LPARAM at = MAKELPARAM(Control.Left() + 2, Control.Top() + Control.Height() / 2);
    PostMessageA(window, WM_MOUSEMOVE, 0, at);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(window, WM_LBUTTONUP, 0, at);
    PumpFor(100);
}

// A user's click in the middle of a windowed control: the pointer moves in,
// the left button goes down and up.
void Click(TWinControl& Control) {
    const int x = Control.Width() / 2, y = Control.Height() / 2;
    PostMessageA(Control.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    ClickAt(Control.Handle(), x, y);
}

bool Checked(const TskCheckBox& Box) { return Box.Checked(); }

std::string WindowText(HWND Window) {
    char text[512];
    const int n = GetWindowTextA(Window, text, sizeof text);
    return std::string(text, n > 0 ? n : 0);
}

class SetupDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterStandardControls(); }

    TTestFolder scratch{"setup"};
    std::string temp = scratch.File("temp");
    std::optional<TTempFolder> tempFolder;
    std::string buildId = CreateGuidText();
    TSaverKey key{buildId};
    TSaverTexts texts;
    std::string program;

    std::vector<std::string> opened;
    std::vector<std::string> started;
    int terminated = 0;
    TOwned<TSetupForm> form;

    void SetUp() override {
        CreateDirectoryA(temp.c_str(), nullptr);
        tempFolder.emplace(temp);
        Application->SetTitle("Vidad Ididederuzi");
    }

    void TearDown() override {
        form.reset();
        PumpFor(50);
    }

    // Installs the screensaver with the test's texts and shows its dialog.
    void Show(const std::string& FileName = "Orbits and Tides.scr") {
        program = scratch.File(FileName);
        WriteWholeFile(program, InstalledFile(texts, buildId, "MZ the screensaver program"));
        ShowFor(program);
    }

    void ShowFor(const std::string& Program) {
        TSetupFormServices services;
        services.ProgramFile = Program;
        services.OpenAddress = [this](const std::string& Address) { opened.push_back(Address); };
        services.StartBatch = [this](const std::string& Batch) {
            started.push_back(Batch);
            return true;
        };
        services.Terminate = [this] { ++terminated; };
        form = CreateOwned<TSetupForm>(services);
        form->Show();
        PumpUntil([&] { return IsWindowVisible(form->Handle()) != FALSE; });
        PumpFor(100);
    }

    bool FormOnScreen() const { return form->Visible() && IsWindowVisible(form->Handle()); }
};

TEST_F(SetupDialog, ShowsTheProjectsTexts) {
    Show();
    EXPECT_EQ(form->TitleLabel->Caption(), "Orbits and Tides");
    EXPECT_EQ(form->PublisherLabel->Caption(), "by Nimbrel Studio");
    EXPECT_EQ(form->HomepageLabel->Caption(), "www.nimbrel.example");
    EXPECT_EQ(form->HomepageLabel->URL(), "www.nimbrel.example");
    EXPECT_EQ(form->EmailLabel->Caption(), "screensavers@nimbrel.example");
    EXPECT_EQ(form->EmailLabel->URL(), "mailto:screensavers@nimbrel.example");
    EXPECT_EQ(form->CopyrightLabel->Caption(), "Copyright (c) 2026 Nimbrel Studio");
    EXPECT_EQ(WindowText(form->Handle()), "Orbits and Tides Setup Window");
    EXPECT_EQ(form->Frame->FrameCaption(), "Orbits and Tides Setup Window");
    EXPECT_EQ(Application->Title(), "Orbits and Tides Setup Window");
    ASSERT_NE(form->Project(), nullptr);
    EXPECT_EQ(form->Project()->FlashList->Count(), 2);

    // A dialog of 466 x 308 in the middle of the screen.
    RECT client, window;
    GetClientRect(form->Handle(), &client);
    GetWindowRect(form->Handle(), &window);
    EXPECT_EQ(client.right, 466);
    EXPECT_EQ(client.bottom, 308);
    EXPECT_LE(std::abs((window.left + window.right) - GetSystemMetrics(SM_CXSCREEN)), 2);
    EXPECT_LE(std::abs((window.top + window.bottom) - GetSystemMetrics(SM_CYSCREEN)), 2);
}

struct LogoCase {
    const char* Name;
    friend void PrintTo(const LogoCase& C, std::ostream* Os) { *Os << C.Name; }
    const char* LogoFile;
    const char* CopyName;  // the file name the copy would have
    std::function<std::string()> Bytes;
    const char* GraphicClass;
    int Tolerance;  // per colour channel on screen
};

class SetupDialogLogo : public SetupDialog, public ::testing::WithParamInterface<LogoCase> {};

bool Near(COLORREF Seen, COLORREF Wanted, int Tolerance) {
    return std::abs(GetRValue(Seen) - GetRValue(Wanted)) <= Tolerance &&
           std::abs(GetGValue(Seen) - GetGValue(Wanted)) <= Tolerance &&
           std::abs(GetBValue(Seen) - GetBValue(Wanted)) <= Tolerance;
}

TEST_P(SetupDialogLogo, IsShownThroughACopyThatIsGoneAgain) {
    texts.LogoFile = GetParam().LogoFile;
    texts.Logo = GetParam().Bytes();
    ASSERT_GT(texts.Logo.size(), 100u);
    // A file of the logo's name that the user keeps in the temporary folder.
    const std::string users = temp + "\\" + GetParam().CopyName;
    WriteWholeFile(users, "the user's own file");
    Show();

    TGraphic* logo = form->LogoPanel->Picture()->Graphic();
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->ClassName(), GetParam().GraphicClass);
    EXPECT_EQ(logo->Width(), kLogoWidth);
    EXPECT_EQ(logo->Height(), kLogoHeight);
    EXPECT_EQ(FilesIn(temp), std::vector<std::string>{GetParam().CopyName});
    EXPECT_EQ(ReadWholeFile(users), "the user's own file");

    // On screen the logo fills its 128x128 square: blue above, orange below.
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpFor(100);
    const TPoint origin = form->ClientToScreen({form->LogoPanel->Left(), form->LogoPanel->Top()});
    HDC screen = GetDC(nullptr);
    const COLORREF top = GetPixel(screen, origin.X + 64, origin.Y + 20);
    const COLORREF bottom = GetPixel(screen, origin.X + 64, origin.Y + 108);
    ReleaseDC(nullptr, screen);
    EXPECT_TRUE(Near(top, RGB(0x20, 0x50, 0xC0), GetParam().Tolerance)) << std::hex << top;
    EXPECT_TRUE(Near(bottom, RGB(0xF0, 0x80, 0x10), GetParam().Tolerance)) << std::hex << bottom;
}

INSTANTIATE_TEST_SUITE_P(
    Formats, SetupDialogLogo,
    ::testing::Values(LogoCase{"Bitmap", "C:\\Art\\logo.bmp", "logo.bmp", LogoBitmap, "TBitmap", 0},
                      LogoCase{"Jpeg", "D:\\Pictures\\Company Logo.JPG", "Company Logo.JPG", LogoJpeg, "TJPEGImage", 40}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(SetupDialog, LogoOfAnUnknownKindIsReportedAndItsCopyRemoved) {
    key.Write("ignore", 1);
    texts.LogoFile = "C:\\Art\\logo.gif";
    texts.Logo = "GIF89a and so on";
    TDialogAnswerer answerer(IDOK);
    Show();
    ASSERT_TRUE(answerer.WaitFor(1));
    EXPECT_EQ(answerer.Seen()[0].Text, "Unknown picture file extension (.gif)");
    EXPECT_EQ(answerer.Seen()[0].Caption, "Orbits and Tides Setup Window");
    EXPECT_TRUE(FilesIn(temp).empty()) << FilesIn(temp).front();
    // What came before the logo is in place.
    EXPECT_TRUE(FormOnScreen());
    EXPECT_EQ(form->TitleLabel->Caption(), "Orbits and Tides");
    EXPECT_TRUE(Checked(*form->IgnoreCheckBox));
    EXPECT_EQ(form->LogoPanel->Picture()->Graphic(), nullptr);
}

struct TextCase {
    const char* Name;
    friend void PrintTo(const TextCase& C, std::ostream* Os) { *Os << C.Name; }
    const char* Publisher;
    const char* Email;
    const char* PublisherLine;
    const char* EmailURL;
};

class SetupDialogTexts : public SetupDialog, public ::testing::WithParamInterface<TextCase> {};

TEST_P(SetupDialogTexts, PublisherLineAndMailAddress) {
    texts.Publisher = GetParam().Publisher;
    texts.Email = GetParam().Email;
    Show();
    EXPECT_EQ(form->PublisherLabel->Caption(), GetParam().PublisherLine);
    EXPECT_EQ(form->EmailLabel->Caption(), GetParam().Email);
    EXPECT_EQ(form->EmailLabel->URL(), GetParam().EmailURL);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SetupDialogTexts,
    ::testing::Values(TextCase{"NameAsStored", " Nimbrel  Studio ", "a@b.example", "by  Nimbrel  Studio ", "mailto:a@b.example"},
                      TextCase{"BlankPublisher", "  \t ", "a@b.example", "", "mailto:a@b.example"},
                      TextCase{"EmptyPublisher", "", "a@b.example", "", "mailto:a@b.example"},
                      TextCase{"EmptyEmail", "Nimbrel", "", "by Nimbrel", "mailto:"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

struct StoredSettings {
    const char* Name;
    friend void PrintTo(const StoredSettings& C, std::ostream* Os) { *Os << C.Name; }
    std::optional<DWORD> Mute, Ignore;
};

class SetupDialogSettings : public SetupDialog, public ::testing::WithParamInterface<StoredSettings> {};

TEST_P(SetupDialogSettings, CheckBoxesShowWhatIsStored) {
    if (GetParam().Mute) key.Write("mute", *GetParam().Mute);
    if (GetParam().Ignore) key.Write("ignore", *GetParam().Ignore);
    Show();
    EXPECT_EQ(Checked(*form->MuteCheckBox), GetParam().Mute.value_or(0) != 0);
    EXPECT_EQ(Checked(*form->IgnoreCheckBox), GetParam().Ignore.value_or(0) != 0);
    EXPECT_TRUE(key.Exists()) << "the key is made when the dialog opens";
}

INSTANTIATE_TEST_SUITE_P(Cases, SetupDialogSettings,
                         ::testing::Values(StoredSettings{"NoKey", std::nullopt, std::nullopt},
                                           StoredSettings{"MuteOnly", 1, std::nullopt},
                                           StoredSettings{"IgnoreOnly", std::nullopt, 1},
                                           StoredSettings{"BothOff", 0, 0},
                                           StoredSettings{"BothOn", 1, 1}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(SetupDialog, SaveCreatesTheKeyAndWritesBothSettings) {
    Show();
    // The key appears when the dialog opens; Save must make it again itself.
    RegDeleteKeyA(HKEY_CURRENT_USER, key.Name().c_str());
    ASSERT_FALSE(key.Exists());
    Click(*form->MuteCheckBox);
    EXPECT_TRUE(Checked(*form->MuteCheckBox));
    EXPECT_FALSE(key.Read("mute")) << "nothing is written before Save";
    Click(*form->SaveBtn);
    PumpFor(50);
    EXPECT_EQ(key.Read("mute"), std::optional<DWORD>(1));
    EXPECT_EQ(key.Read("ignore"), std::optional<DWORD>(0));
    EXPECT_FALSE(FormOnScreen()) << "Save closes the window";
    EXPECT_EQ(form->Project(), nullptr) << "closing frees the project";
}

TEST_F(SetupDialog, SaveWritesChangedSettingsOverTheStoredOnes) {
    key.Write("mute", 1);
    key.Write("ignore", 0);
    Show();
    Click(*form->MuteCheckBox);
    Click(*form->IgnoreCheckBox);
    Click(*form->SaveBtn);
    PumpFor(50);
    EXPECT_EQ(key.Read("mute"), std::optional<DWORD>(0));
    EXPECT_EQ(key.Read("ignore"), std::optional<DWORD>(1));
}

TEST_F(SetupDialog, CancelLeavesTheRegistryAsItWas) {
    key.Write("mute", 0);
    key.Write("ignore", 1);
    Show();
    Click(*form->MuteCheckBox);
    Click(*form->IgnoreCheckBox);
    EXPECT_TRUE(Checked(*form->MuteCheckBox));
    EXPECT_FALSE(Checked(*form->IgnoreCheckBox));
    Click(*form->CancelBtn);
    PumpFor(50);
    EXPECT_FALSE(FormOnScreen());
    EXPECT_EQ(key.Read("mute"), std::optional<DWORD>(0));
    EXPECT_EQ(key.Read("ignore"), std::optional<DWORD>(1));
}

// The frame's title bar: close and minimise as a user clicks them; the
// maximise button is hidden, so minimise stands next to close.
TEST_F(SetupDialog, TitleBarClosesAndMinimises) {
    Show();
    TskTitleBar* bar = form->Frame->TitleBar();
    ASSERT_NE(bar, nullptr);
    const int W = bar->Width();
    // The bar runs the button under the pointer: the pointer goes there first.
    auto clickButton = [&](int X) {
        POINT p{X, 12};
        ClientToScreen(bar->Handle(), &p);
        SetCursorPos(p.x, p.y);
        PostMessageA(bar->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(X, 12));
        PumpFor(40);
        ClickAt(bar->Handle(), X, 12);
    };
    clickButton(W - 45 + 10);
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(form->Handle()) != FALSE; }, 5000));
    ShowWindow(form->Handle(), SW_RESTORE);
    PumpFor(100);
    ASSERT_TRUE(FormOnScreen());
    clickButton(W - 23 + 10);
    EXPECT_TRUE(PumpUntil([&] { return !FormOnScreen(); }, 5000));
    SetCursorPos(2, 2);
}

// The setup dialog's frame holds the application's message hook, so
// Alt+Space opens the title bar's menu below the title bar.
TEST_F(SetupDialog, AltSpaceOpensTheTitleBarsMenu) {
    Show();
    ASSERT_TRUE(PumpUntil([&] { return form->Active(); }));
    ASSERT_EQ(Application->OnMessage.Target(), form->Frame);
    TMenuDriver driver({VK_ESCAPE});
    PressKeys({VK_MENU, VK_SPACE});
    PumpUntil([&] { return driver.Found(); }, 12000);
    PumpFor(200);
    ASSERT_TRUE(driver.Found());
    EXPECT_EQ(driver.Shown().left, form->Left());
    EXPECT_EQ(driver.Shown().top, form->Top() + form->Frame->GetTitleBarHeight());
}

struct KeyCase {
    const char* Name;
    friend void PrintTo(const KeyCase& C, std::ostream* Os) { *Os << C.Name; }
    WPARAM Key;
    DWORD MuteAfter;
};

class SetupDialogKeys : public SetupDialog, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(SetupDialogKeys, EnterSavesAndEscapeCancels) {
    key.Write("mute", 0);
    Show();
    Click(*form->MuteCheckBox);
    PostMessageA(form->MuteCheckBox->Handle(), WM_KEYDOWN, GetParam().Key, 0);
    PostMessageA(form->MuteCheckBox->Handle(), WM_KEYUP, GetParam().Key, 0);
    PumpUntil([&] { return !FormOnScreen(); }, 2000);
    EXPECT_FALSE(FormOnScreen());
    EXPECT_EQ(key.Read("mute"), std::optional<DWORD>(GetParam().MuteAfter));
}

INSTANTIATE_TEST_SUITE_P(Keys, SetupDialogKeys,
                         ::testing::Values(KeyCase{"Enter", VK_RETURN, 1}, KeyCase{"Escape", VK_ESCAPE, 0}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

struct LinkCase {
    const char* Name;
    friend void PrintTo(const LinkCase& C, std::ostream* Os) { *Os << C.Name; }
    const char* Homepage;
    const char* Opened;  // nullptr: nothing may be opened
};

class SetupDialogLinks : public SetupDialog, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(SetupDialogLinks, HomepageOpensOnlyWebAddresses) {
    texts.Homepage = GetParam().Homepage;
    Show();
    EXPECT_EQ(form->HomepageLabel->Caption(), GetParam().Homepage);
    ASSERT_GT(form->HomepageLabel->Width(), 4);
    ClickOn(*form, *form->HomepageLabel);
    if (GetParam().Opened)
        EXPECT_EQ(opened, std::vector<std::string>{GetParam().Opened});
    else
        EXPECT_TRUE(opened.empty()) << opened.front();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SetupDialogLinks,
    ::testing::Values(LinkCase{"WithoutScheme", "www.nimbrel.example", "http://www.nimbrel.example"},
                      LinkCase{"Http", "http://www.nimbrel.example/savers", "http://www.nimbrel.example/savers"},
                      LinkCase{"Https", "https://nimbrel.example", "https://nimbrel.example"},
                      LinkCase{"LocalProgram", "file:///C:/windows/system32/cmd.exe", nullptr},
                      LinkCase{"DrivePath", "C:\\windows\\system32\\cmd.exe", nullptr},
                      LinkCase{"Script", "javascript:alert(1)", nullptr}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(SetupDialog, TheLinksAreBlueUnderlinedAndTurnRedUnderThePointer) {
    Show();
    for (TskURLLabel* link : {form->HomepageLabel, form->EmailLabel}) {
        EXPECT_EQ(link->Font()->Color(), clBlue) << link->Name();
        EXPECT_EQ(link->FontHoverColor(), clRed) << link->Name();
        EXPECT_TRUE(link->Font()->Style().Contains(fsUnderline)) << link->Name();
        EXPECT_EQ(link->Cursor(), crHandPoint) << link->Name();
    }
    EXPECT_EQ(form->HomepageLabel->Left(), 152);
    EXPECT_EQ(form->HomepageLabel->Top(), 72);
    EXPECT_EQ(form->EmailLabel->Top(), 96);

    // The real pointer onto the home page link, then off it again.
    TskURLLabel& link = *form->HomepageLabel;
    const TPoint on = link.ClientToScreen({2, link.Height() / 2});
    SetCursorPos(on.X, on.Y);
    PostMessageA(link.Parent()->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(link.Left() + 2, link.Top() + link.Height() / 2));
    EXPECT_TRUE(PumpUntil([&] { return link.Font()->Color() == clRed; }, 3000));
    EXPECT_EQ(form->EmailLabel->Font()->Color(), clBlue);
    const TPoint off = form->TitleLabel->ClientToScreen({2, 2});
    SetCursorPos(off.X, off.Y);
    PostMessageA(link.Parent()->Handle(), WM_MOUSEMOVE, 0,
                 MAKELPARAM(form->TitleLabel->Left() + 2, form->TitleLabel->Top() + 2));
    EXPECT_TRUE(PumpUntil([&] { return link.Font()->Color() == clBlue; }, 3000));
}

TEST_F(SetupDialog, EmailOpensAMailAddress) {
    Show();
    ClickOn(*form, *form->EmailLabel);
    EXPECT_EQ(opened, std::vector<std::string>{"mailto:screensavers@nimbrel.example"});
    // A click beside the links opens nothing.
    ClickOn(*form, *form->TitleLabel);
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(SetupDialog, UninstallAnsweredNoLeavesEverything) {
    Show();
    const std::string before = ReadWholeFile(program);
    TDialogAnswerer answerer(IDNO);
    Click(*form->UninstallBtn);
    ASSERT_TRUE(answerer.WaitFor(1));
    const auto seen = answerer.Seen();
    EXPECT_EQ(seen[0].Caption, "Message");
    EXPECT_EQ(seen[0].Text, "Do you really want to remove the screensaver?");
    PumpFor(100);
    EXPECT_TRUE(FilesIn(temp).empty()) << "no batch is written";
    EXPECT_TRUE(started.empty());
    EXPECT_EQ(terminated, 0);
    EXPECT_EQ(ReadWholeFile(program), before);
    EXPECT_TRUE(FormOnScreen());
}

TEST_F(SetupDialog, UninstallAnsweredYesWritesTheBatchStartsItAndEnds) {
    // A "%" in the path must reach cmd as "%%".
    texts.Title = "100% Tides";
    Show("100% Tides.scr");
    WriteWholeFile(temp + "\\remove.bat", "an older batch that must be replaced");
    TDialogAnswerer answerer(IDYES);
    Click(*form->UninstallBtn);
    ASSERT_TRUE(answerer.WaitFor(1));
    EXPECT_EQ(answerer.Seen()[0].Text, "Do you really want to remove the screensaver?");

    const std::string batch = temp + "\\remove.bat";
    EXPECT_EQ(started, std::vector<std::string>{batch});
    EXPECT_EQ(terminated, 1);
    const std::string p = "\"" + scratch.Path() + "\\100%% Tides.scr\"";
    const std::string b = "\"" + batch + "\"";
    EXPECT_EQ(ReadWholeFile(batch), "set tries=0\r\n"
                                    ":try\r\n"
                                    "del " + p + "\r\n"
                                    "if not exist " + p + " goto done\r\n"
                                    "set /a tries=tries+1\r\n"
                                    "if %tries% geq 60 goto done\r\n"
                                    "ping -n 2 127.0.0.1 >nul\r\n"
                                    "goto try\r\n"
                                    ":done\r\n"
                                    "del " + b + "\r\n"
                                    "cls\r\n");
    EXPECT_TRUE(FileExists(program)) << "the batch removes the program, not the dialog";
}

TEST_F(SetupDialog, BatchThatCannotBeWrittenIsReportedAndTheProgramGoesOn) {
    Show();
    // The temporary folder is gone by the time the user uninstalls.
    const std::string gone = scratch.File("gone");
    TTempFolder missing(gone);
    TDialogAnswerer answerer(IDYES);
    Click(*form->UninstallBtn);
    ASSERT_TRUE(answerer.WaitFor(2));
    const auto seen = answerer.Seen();
    EXPECT_EQ(seen[0].Text, "Do you really want to remove the screensaver?");
    EXPECT_EQ(seen[1].Caption, "Orbits and Tides Setup Window");
    EXPECT_EQ(seen[1].Text, "Cannot create file " + gone + "\\remove.bat");
    EXPECT_TRUE(started.empty());
    EXPECT_EQ(terminated, 0);
    EXPECT_TRUE(FormOnScreen());
    EXPECT_TRUE(FileExists(program));
}

TEST_F(SetupDialog, FileThatIsNoScreensaverIsReportedAndTheWindowStillCloses) {
    program = scratch.File("broken.scr");
    WriteWholeFile(program, "MZ nothing appended");
    TDialogAnswerer answerer(IDOK);
    ShowFor(program);
    ASSERT_TRUE(answerer.WaitFor(1));
    EXPECT_EQ(answerer.Seen()[0].Caption, "Vidad Ididederuzi");
    EXPECT_EQ(answerer.Seen()[0].Text, "Stream read error");
    EXPECT_TRUE(FormOnScreen());
    EXPECT_FALSE(Checked(*form->MuteCheckBox));
    // Save has no screensaver to write for and must not write elsewhere.
    Click(*form->MuteCheckBox);
    Click(*form->SaveBtn);
    PumpFor(50);
    EXPECT_FALSE(FormOnScreen());
    DWORD data = 0, size = sizeof data;
    EXPECT_NE(RegGetValueA(HKEY_CURRENT_USER, "Software\\Nimbrel\\Screensavers", "mute", RRF_RT_ANY, nullptr, &data,
                           &size),
              ERROR_SUCCESS);
}

HWND ChildWithText(HWND Parent, const std::string& Text) {
    struct TFind {
        std::string Text;
        HWND Found = nullptr;
    } find{Text};
    EnumChildWindows(
        Parent,
        [](HWND Child, LPARAM Data) -> BOOL {
            auto* f = reinterpret_cast<TFind*>(Data);
            if (WindowText(Child) == f->Text) {
                f->Found = Child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.Found;
}

// Saves a window as it is on screen, for the gallery.
void SaveScreenshot(HWND Window, const std::string& Path) {
    TBitmap shot;
    ShootWindow(Window, shot);
    TMemoryStream s;
    shot.SaveToStream(&s);
    WriteWholeFile(Path, Bytes(s));
}

// The program at the head of the installed file: the dialog alone, and the
// screensaver program itself (shipped as "screensaver.dat").
struct ProgramCase {
    const char* Name;
    friend void PrintTo(const ProgramCase& C, std::ostream* Os) { *Os << C.Name; }
    const char* PathFromTests;
};

class SetupDialogUninstall : public SetupDialog, public ::testing::WithParamInterface<ProgramCase> {
protected:
    // The installed file's program, read from the build; empty when this
    // build has none of it (the test is skipped then).
    std::string Runtime() {
        const std::string runtime = ReadWholeFile(ModuleFolder() + GetParam().PathFromTests);
        if (runtime == "(missing)" && std::string(GetParam().Name) == "Screensaver") return {};
        EXPECT_GT(runtime.size(), 10000u) << GetParam().PathFromTests << " not found";
        return runtime;
    }

    // Installs the file at Installed, runs it with "/c", clicks Uninstall in
    // that process, answers its question, and waits for the file to go.
    void UninstallThroughTheDialog(const std::filesystem::path& Installed, const std::string& Runtime) {
        {
            std::ofstream out(Installed, std::ios::binary);
            const std::string bytes = InstalledFile(texts, buildId, Runtime);
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        }
        TProcess run(Installed.wstring(), L"/c");  // with the test's temporary folder
        ASSERT_TRUE(run.Started());
        HWND window = run.WaitForWindow("TSetupForm", 20000);
        ASSERT_NE(window, nullptr) << "the setup dialog did not appear";
        ASSERT_TRUE(WaitUntil([&] { return WindowText(window) == "Orbits and Tides Setup Window"; }, 10000))
            << WindowText(window);
        if (const char* gallery = getenv("TESSALOOM_GALLERY_DIR")) {
            Sleep(500);
            SaveScreenshot(window, std::string(gallery) + "\\setup-dialog.bmp");
        }

        HWND uninstall = ChildWithText(window, "Uninstall");
        ASSERT_NE(uninstall, nullptr);
        // The skinned button is pressed as a user presses it, by the mouse.
        RECT area;
        GetClientRect(uninstall, &area);
        const LPARAM middle = MAKELPARAM(area.right / 2, area.bottom / 2);
        PostMessageA(uninstall, WM_MOUSEMOVE, 0, middle);
        PostMessageA(uninstall, WM_LBUTTONDOWN, MK_LBUTTON, middle);
        PostMessageA(uninstall, WM_LBUTTONUP, 0, middle);
        HWND question = run.WaitForWindow("#32770", 20000);
        ASSERT_NE(question, nullptr) << "no question was asked";
        EXPECT_EQ(WindowText(question), "Message");
        EXPECT_EQ(WindowText(GetDlgItem(question, 0xFFFF)), "Do you really want to remove the screensaver?");
        EXPECT_TRUE(std::filesystem::exists(Installed));
        HWND yes = GetDlgItem(question, IDYES);
        ASSERT_NE(yes, nullptr);
        PostMessageA(yes, BM_CLICK, 0, 0);

        EXPECT_TRUE(run.Wait(20000)) << "the program did not end";
        EXPECT_EQ(run.ExitCode(), 0u);
        EXPECT_TRUE(WaitUntil([&] { return !std::filesystem::exists(Installed); }, 40000))
            << "the installed file was not removed";
        EXPECT_TRUE(WaitUntil([&] { return !FileExists(temp + "\\remove.bat"); }, 10000))
            << "the batch did not remove itself";
        EXPECT_TRUE(FilesIn(temp).empty());
        EXPECT_TRUE(key.Exists()) << "only the file is removed";
    }
};

// The whole uninstall with nothing stood in for: the installed file heads
// with a program that shows its setup dialog.
TEST_P(SetupDialogUninstall, RemovesTheInstalledFileOnceTheProgramHasEnded) {
    const std::string runtime = Runtime();
    if (runtime.empty()) GTEST_SKIP() << "this build has no screensaver program";
    program = scratch.File("Orbits and Tides.scr");
    UninstallThroughTheDialog(std::filesystem::path(program), runtime);
}

// Installed in a folder whose name the system code page cannot hold
// (Japanese, Cyrillic), the file is removed all the same: the batch, stored
// in the code page, names it by its short form.
TEST_P(SetupDialogUninstall, RemovesTheInstalledFileFromAFolderNamedOutsideTheCodePage) {
    const std::string runtime = Runtime();
    if (runtime.empty()) GTEST_SKIP() << "this build has no screensaver program";
    struct Folder {
        const char* Script;
        const wchar_t* Name;
    };
    for (const Folder f : {Folder{"Japanese", L"\u30c6\u30b9\u30c8 \u30d5\u30a9\u30eb\u30c0"},
                           Folder{"Cyrillic", L"\u043f\u0430\u043f\u043a\u0430"}}) {
        SCOPED_TRACE(f.Script);
        const std::filesystem::path folder = std::filesystem::path(scratch.Path()) / f.Name;
        std::filesystem::create_directories(folder);
        UninstallThroughTheDialog(folder / L"Orbits and Tides.scr", runtime);
    }
}

INSTANTIATE_TEST_SUITE_P(Programs, SetupDialogUninstall,
                         ::testing::Values(ProgramCase{"DialogProgram", "setup_dialog_program.exe"},
                                           ProgramCase{"Screensaver", ScreensaverDatFromTests}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

}  // namespace
