#pragma once
// The screensaver reads everything it shows from its own program file, which
// may lie in a folder whose name the system code page cannot hold (a user's
// folder in Japanese or Cyrillic): it is found and opened by its wide name.

#include "FileStream.h"

#include <memory>
#include <string>

// The full wide path of the running program.
std::wstring OwnProgramPath();
// The running program's file, open for reading with sharing allowed.
std::unique_ptr<TFileStream> OpenOwnProgramFile();
