#pragma once
// Waiting in a test for what happens outside this thread's windows (in
// another process, in files), without handling messages; PumpUntil is the
// wait for this process's own windows.

#include <windows.h>

#include <functional>

// Looks at Done() every PollMs until it holds (true) or the time is up
// (false, after one last look).
bool WaitUntil(const std::function<bool()>& Done, DWORD TimeoutMs, DWORD PollMs = 20);
