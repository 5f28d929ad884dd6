#include "WaitUntil.h"

bool WaitUntil(const std::function<bool()>& Done, DWORD TimeoutMs, DWORD PollMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (Done()) return true;
        if (GetTickCount() - start >= TimeoutMs) return false;
        Sleep(PollMs);
    }
}
