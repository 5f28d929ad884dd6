#pragma once
// Answers dialog boxes ("#32770": message boxes and the like) of this process
// the way a user would: a watcher thread finds each new one, reads its caption
// and text, and presses the chosen button. The GUI thread meanwhile sits in
// the dialog's own modal loop, or pumps messages while waiting.

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct TSeenDialog {
    std::string Caption;
    std::string Text;
};

class TDialogAnswerer {
public:
    // Presses Button (IDOK, IDYES, ...) in every dialog that appears.
    explicit TDialogAnswerer(int Button = IDOK);
    ~TDialogAnswerer();
    TDialogAnswerer(const TDialogAnswerer&) = delete;
    TDialogAnswerer& operator=(const TDialogAnswerer&) = delete;

    // Changes the button for the dialogs still to come.
    void SetButton(int Button) { button_ = Button; }
    // Pumps messages until Count dialogs were answered; false on timeout.
    bool WaitFor(size_t Count, DWORD TimeoutMs = 10000);
    std::vector<TSeenDialog> Seen() const;
    size_t Count() const;

private:
    void Watch();

    std::atomic<int> button_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<TSeenDialog> seen_;
    std::vector<HWND> answered_;
    std::thread thread_;
};

// The caption and text of a dialog window.
TSeenDialog ReadDialog(HWND Dialog);
