#pragma once
// Runs the application's message loop until Done() holds or the time is up.

#include <windows.h>

#include <functional>

bool PumpUntil(const std::function<bool()>& Done, DWORD TimeoutMs = 10000);
// Handles messages for the given time.
void PumpFor(DWORD Milliseconds);
