#pragma once
// Removing the installed screensaver: the running program cannot delete its
// own file, so it leaves a hidden batch behind that deletes the file once the
// program has ended, and then deletes itself.

#include "FileSystem.h"

#include <functional>
#include <string>

inline constexpr const char* kRemoveBatchName = "remove.bat";
// How often the batch tries, a second apart, before it gives up on a file it
// cannot delete.
inline constexpr int kRemoveAttempts = 60;

// A path inside double quotes, with "%" doubled so that cmd does not take
// it for a variable.
std::string BatchQuoted(const std::string& Path);

// The batch's text, lines ended by CR LF.
std::string RemoveBatchText(const std::string& Program, const std::string& Batch, int Attempts = kRemoveAttempts);

struct TUninstallActions {
    // Starts the batch hidden and without waiting; false when it did not start.
    std::function<bool(const std::string& Batch)> StartBatch;
    // Ends the program after the current message.
    std::function<void()> Terminate;
};

// Writes TempFolder + "remove.bat" (replacing one left there), starts it and
// ends the program, whether or not the batch started. A batch that cannot be
// written raises the stream error and the program goes on.
void RemoveScreensaver(TFileSystem& Files, const std::string& TempFolder, const std::string& Program,
                       const TUninstallActions& Actions);

// The question asked before anything is removed, in a box captioned "Message"
// with the buttons Yes and No.
inline constexpr const char* kRemoveQuestion = "Do you really want to remove the screensaver?";
