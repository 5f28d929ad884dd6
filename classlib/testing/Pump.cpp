#include "Pump.h"

#include "Application.h"

bool PumpUntil(const std::function<bool()>& Done, DWORD TimeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        Application->ProcessMessages();
        if (Done()) return true;
        if (GetTickCount() - start > TimeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void PumpFor(DWORD Milliseconds) {
    PumpUntil([] { return false; }, Milliseconds);
}
