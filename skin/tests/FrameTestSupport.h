#pragma once
// Forms with a frame for the frame tests, screen pixels of a window, and
// small theme files on disk.

#include "FileTheme.h"
#include "FormFrame.h"
#include "ScratchThemeFile.h"
#include "ThemeFileWriter.h"

#include "FileStream.h"
#include "Form.h"
#include "ToolBar.h"
#include "SysUtils.h"

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <utility>
#include <vector>

// A form (shown nowhere yet) with its frame, both freed at the end.
struct TFramedForm {
    explicit TFramedForm(TFormBorderStyle Style, int Width = 300, int Height = 200) : form(CreateOwned<TForm>()) {
        form->SetBorderStyle(Style);
        form->SetBounds(60, 60, Width, Height);
        Attach();
    }
    explicit TFramedForm(TOwned<TForm> Form) : form(std::move(Form)) { Attach(); }
    void Attach() {
        frame = Create<TskForm>(form.get());
        frame->SetParent(form.get());
    }
    // An application hook that does nothing, for tests that hold the hook.
    void NoMessage(MSG&, bool&) {}

    TOwned<TForm> form;
    TskForm* frame = nullptr;
};

// The colour the screen shows at (X, Y) of the window of Control, as a TColor.
inline TColor ScreenPixel(TWinControl* Control, int X, int Y) {
    RECT r{};
    GetWindowRect(Control->Handle(), &r);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, r.left + X, r.top + Y);
    ReleaseDC(nullptr, screen);
    return static_cast<TColor>(c);
}

// How many pixels of a tool button the screen shows in Color.
inline int CountPixels(TToolButton* Button, TColor Color) {
    POINT origin{Button->Left(), Button->Top()};
    ClientToScreen(Button->ToolBar()->Handle(), &origin);
    HDC screen = GetDC(nullptr);
    int count = 0;
    for (int y = 0; y < Button->Height(); ++y)
        for (int x = 0; x < Button->Width(); ++x)
            count += static_cast<TColor>(GetPixel(screen, origin.x + x, origin.y + y)) == Color;
    ReleaseDC(nullptr, screen);
    return count;
}

// The colour the screen shows at (X, Y) of Bar's client area.
inline TColor BarPixel(TToolBar* Bar, int X, int Y) {
    POINT p{X, Y};
    ClientToScreen(Bar->Handle(), &p);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return static_cast<TColor>(c);
}

// A theme file in the temporary folder with integer (and colour) entries,
// deleted at the end.
struct TScratchTheme {
    TScratchTheme(const std::string& Stem, const std::vector<std::pair<std::string, std::int32_t>>& Values) {
        Name = ScratchThemeName(Stem);
        TskThemeFileWriter writer;
        for (const auto& [key, value] : Values) writer.AddInteger(key, value);
        const std::vector<std::uint8_t> bytes = writer.Bytes();
        TFileStream f(Name, fmCreate);
        f.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    }
    ~TScratchTheme() { DeleteFileA(Name.c_str()); }
    TScratchTheme(const TScratchTheme&) = delete;
    TScratchTheme& operator=(const TScratchTheme&) = delete;
    std::string Name;
};

// Watches for a menu window for a while; when one shows, notes where and
// which menu it is, then presses the given keys in it. A system menu opened
// from the keyboard leaves the window in menu mode after its popup closes;
// LeaveMenuMode gets one more Escape to end that too.
class TMenuWatch {
public:
    TMenuWatch(DWORD TimeoutMs, std::vector<WPARAM> Keys, HWND LeaveMenuMode = nullptr)
        : thread_([this, TimeoutMs, keys = std::move(Keys), LeaveMenuMode] {
              const DWORD start = GetTickCount();
              while (GetTickCount() - start < TimeoutMs) {
                  HWND menu = FindWindowA("#32768", nullptr);
                  if (menu && IsWindowVisible(menu)) {
                      GetWindowRect(menu, &shown_);
                      menu_ = reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0));
                      found_ = true;
                      Sleep(100);
                      for (WPARAM key : keys) {
                          PostMessageA(menu, WM_KEYDOWN, key, 0);
                          Sleep(60);
                      }
                      if (LeaveMenuMode) {
                          Sleep(200);
                          PostMessageA(LeaveMenuMode, WM_KEYDOWN, VK_ESCAPE, 0);
                      }
                      return;
                  }
                  Sleep(20);
              }
          }) {}
    ~TMenuWatch() { Join(); }
    TMenuWatch(const TMenuWatch&) = delete;
    TMenuWatch& operator=(const TMenuWatch&) = delete;
    void Join() {
        if (thread_.joinable()) thread_.join();
    }
    bool Found() const { return found_; }
    RECT Shown() const { return shown_; }
    HMENU Menu() const { return menu_; }

private:
    std::atomic<bool> found_{false};
    RECT shown_{};
    HMENU menu_ = nullptr;
    std::thread thread_;
};
