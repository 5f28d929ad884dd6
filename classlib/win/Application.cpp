#include "Application.h"

#include "Form.h"
#include "FormatSettings.h"
#include "Hints.h"

#include <vector>

namespace {
LRESULT CALLBACK AppWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (Msg == WM_ACTIVATEAPP) Application->SetActive(WParam != 0);
    return DefWindowProcA(Wnd, Msg, WParam, LParam);
}

std::string ModuleFileName() {
    char buf[MAX_PATH * 2];
    const DWORD n = GetModuleFileNameA(nullptr, buf, sizeof buf);
    return std::string(buf, n);
}

// Splits the command line as the program's parameters are counted: blanks
// separate, double quotes group (and are dropped).
std::vector<std::string> CommandLineParams() {
    std::vector<std::string> out;
    const char* p = GetCommandLineA();
    while (*p) {
        while (*p && static_cast<unsigned char>(*p) <= ' ') ++p;
        if (!*p) break;
        std::string item;
        bool quoted = false;
        while (*p && (quoted || static_cast<unsigned char>(*p) > ' ')) {
            if (*p == '"')
                quoted = !quoted;
            else
                item += *p;
            ++p;
        }
        out.push_back(item);
    }
    return out;
}

TApplication* MakeApplication() {
    return Create<TApplication>(nullptr);
}
}  // namespace

TApplication* const Application = MakeApplication();

const TClassInfo& TApplication::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TApplication, TComponent>("TApplication", [](auto&) {});
    return info;
}

TApplication::TApplication() {
    std::string exe = ModuleFileName();
    const size_t slash = exe.find_last_of("\\/");
    if (slash != std::string::npos) exe = exe.substr(slash + 1);
    const size_t dot = exe.find_last_of('.');
    title_ = dot == std::string::npos ? exe : exe.substr(0, dot);
    ReadFormatSettings();
}

HWND TApplication::Handle() {
    if (handle_) return handle_;
    WNDCLASSA wc{};
    wc.lpfnWndProc = AppWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TApplication";
    wc.hIcon = Icon()->Handle();
    WNDCLASSA existing{};
    if (!GetClassInfoA(wc.hInstance, wc.lpszClassName, &existing)) RegisterClassA(&wc);
    handle_ = CreateWindowExA(WS_EX_TOOLWINDOW, "TApplication", title_.c_str(),
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0, nullptr,
                              nullptr, wc.hInstance, nullptr);
    return handle_;
}

void TApplication::SetTitle(const std::string& Value) {
    title_ = Value;
    if (handle_) SetWindowTextA(handle_, Value.c_str());
}

std::string TApplication::ExeName() const { return ModuleFileName(); }

int TApplication::ParamCount() const {
    const auto params = CommandLineParams();
    return params.empty() ? 0 : static_cast<int>(params.size()) - 1;
}

std::string TApplication::ParamStr(int Index) const {
    if (Index == 0) return ExeName();
    const auto params = CommandLineParams();
    if (Index < 0 || Index >= static_cast<int>(params.size())) return "";
    return params[static_cast<size_t>(Index)];
}

TIcon* TApplication::Icon() {
    if (icon_.Empty()) {
        if (FindResourceA(GetModuleHandleA(nullptr), kMainIconName, reinterpret_cast<LPCSTR>(RT_GROUP_ICON)))
            icon_.LoadFromResourceName(nullptr, kMainIconName);
        else
            icon_.SetHandle(CopyIcon(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION))));
    }
    return &icon_;
}

void TApplication::SetMainForm(TCustomForm* Form) {
    mainForm_ = Form;
    if (Form && Form->Owner() != this) Form->FreeNotification(this);
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == mainForm_) mainForm_ = nullptr;
}

void TApplication::BeforeDestruction() {
    if (handle_) DestroyWindow(handle_);
    handle_ = nullptr;
    TComponent::BeforeDestruction();
}

void TApplication::Run() {
    if (!mainForm_) return;
    if (!terminated_) {
        try {
            mainForm_->Show();
        } catch (...) {
            HandleException(this);
        }
    }
    while (!terminated_) {
        try {
            HandleMessage();
        } catch (...) {
            HandleException(this);
        }
    }
    // Owned components leave silently here, so the main form is forgotten first.
    mainForm_ = nullptr;
    try {
        DestroyOwned();
    } catch (...) {
        HandleException(this);
    }
}

void TApplication::Terminate() {
    if (terminated_) return;
    terminated_ = true;
    PostQuitMessage(0);
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

void TApplication::HandleMessage() {
    MSG msg;
    if (!ProcessMessage(msg) && !terminated_) WaitMessage();
}

bool TApplication::ProcessMessage(MSG& Msg) {
    if (!PeekMessageA(&Msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (Msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    switch (Msg.message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: CancelHint(); break;
        default: break;
    }
    bool handled = false;
    try {
        OnMessage(Msg, handled);
        if (!handled) handled = IsKeyMsg(Msg);
    } catch (...) {
        HandleException(this);
        return true;
    }
    if (!handled) {
        TranslateMessage(&Msg);
        DispatchMessageA(&Msg);
    }
    return true;
}

namespace {
// The control a keyboard message belongs to: the library control of the
// window or of the nearest window above it.
TWinControl* KeyTarget(HWND Wnd) {
    for (HWND w = Wnd; w; w = GetParent(w))
        if (TWinControl* c = TWinControl::FindControl(w)) return c;
    return nullptr;
}
}  // namespace

bool TApplication::IsKeyMsg(MSG& Msg) {
    if (Msg.message != WM_KEYDOWN && Msg.message != WM_SYSKEYDOWN && Msg.message != WM_CHAR && Msg.message != WM_SYSCHAR)
        return false;
    TWinControl* control = KeyTarget(Msg.hwnd);
    if (!control) return false;
    TCustomForm* form = GetParentForm(control);
    if (!form) return false;
    const LPARAM keyData = Msg.lParam;
    if (Msg.message == WM_KEYDOWN || Msg.message == WM_SYSKEYDOWN) {
        if (form->IsShortCut(Msg.wParam)) return true;
        LRESULT mask = 0;
        switch (Msg.wParam) {
            case VK_TAB: mask = DLGC_WANTTAB; break;
            case VK_LEFT:
            case VK_RIGHT:
            case VK_UP:
            case VK_DOWN: mask = DLGC_WANTARROWS; break;
            case VK_RETURN:
            case VK_EXECUTE:
            case VK_ESCAPE:
            case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
            default: return false;
        }
        // A key the focused control does not ask for goes to the form.
        if (control->Perform(WM_GETDLGCODE, Msg.wParam, reinterpret_cast<LPARAM>(&Msg)) & (mask | DLGC_WANTALLKEYS)) return false;
        return form->Perform(CM_DIALOGKEY, Msg.wParam, keyData) != 0;
    }
    if (Msg.message == WM_CHAR && (control->Perform(WM_GETDLGCODE, Msg.wParam, reinterpret_cast<LPARAM>(&Msg)) & DLGC_WANTCHARS))
        return false;
    return form->Perform(CM_DIALOGCHAR, Msg.wParam, keyData) != 0;
}

void TApplication::HandleException(TObject* Sender) {
    try {
        throw;
    } catch (const EAbort&) {
    } catch (const std::exception& e) {
        if (OnException) {
            try {
                OnException(Sender, e);
            } catch (...) {
                ShowException(e.what());
            }
        } else {
            ShowException(e.what());
        }
    } catch (...) {
        ShowException("Unknown exception");
    }
}

void TApplication::ShowException(const std::string& Message) {
    ::MessageBoxA(nullptr, Message.c_str(), title_.c_str(), MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

int TApplication::MessageBox(const std::string& Text, const std::string& Caption, UINT Flags) {
    HWND owner = GetActiveWindow();
    if (!owner && mainForm_ && mainForm_->HandleAllocated()) owner = mainForm_->Handle();
    return ::MessageBoxA(owner, Text.c_str(), Caption.c_str(), Flags);
}
