#pragma once
// Plays the user in front of a menu that runs its own modal loop: a thread
// waits for the menu window (class "#32768") to show, then posts the keys the
// user would press to it.

#include <windows.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

class TMenuDriver {
public:
    explicit TMenuDriver(std::vector<WPARAM> Keys)
        : thread_([this, keys = std::move(Keys)] {
              const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
              HWND menu = nullptr;
              while (std::chrono::steady_clock::now() < deadline) {
                  menu = FindWindowA("#32768", nullptr);
                  if (menu && IsWindowVisible(menu)) break;
                  menu = nullptr;
                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
              }
              if (!menu) return;
              Seen(menu);
              std::this_thread::sleep_for(std::chrono::milliseconds(100));
              for (WPARAM key : keys) {
                  PostMessageA(menu, WM_KEYDOWN, key, 0);
                  std::this_thread::sleep_for(std::chrono::milliseconds(50));
              }
          }) {}
    // Presses Down until the item Command of Menu (null: of the menu shown)
    // is highlighted, then Enter.
    TMenuDriver(HMENU Menu, UINT Command)
        : thread_([this, Menu, Command] {
              if (!WaitForMenu()) return;
              for (int i = 0; i < 20; ++i) {
                  HWND menu = FindWindowA("#32768", nullptr);
                  HMENU shown = Menu ? Menu : reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0));
                  const bool lit = (GetMenuState(shown, Command, MF_BYCOMMAND) & MF_HILITE) != 0;
                  PostMessageA(menu, WM_KEYDOWN, lit ? VK_RETURN : VK_DOWN, 0);
                  if (lit) return;
                  std::this_thread::sleep_for(std::chrono::milliseconds(80));
              }
          }) {}
    ~TMenuDriver() { thread_.join(); }
    TMenuDriver(const TMenuDriver&) = delete;
    TMenuDriver& operator=(const TMenuDriver&) = delete;
    // Whether the menu window was seen.
    bool Found() {
        Wait();
        return found_;
    }
    // Where the menu window was when it was seen (screen coordinates).
    RECT Shown() {
        Wait();
        return shown_;
    }

private:
    void Wait() {
        if (!thread_.joinable()) return;
        thread_.join();
        thread_ = std::thread([] {});
    }
    void Seen(HWND Menu) {
        GetWindowRect(Menu, &shown_);
        found_ = true;
    }
    bool WaitForMenu() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            HWND menu = FindWindowA("#32768", nullptr);
            if (menu && IsWindowVisible(menu)) {
                Seen(menu);
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }

    std::atomic<bool> found_{false};
    RECT shown_{};
    std::thread thread_;
};
