#pragma once
// Putting the screensaver file in place and making it the current screensaver.

#include <functional>
#include <optional>
#include <string>

class TMemoryStream;

// Writes Contents as FileName in the first folder that takes it: the system
// folder (where the system lists screensavers), else the user's own programs
// folder, which is created when missing. The file is written under a
// temporary name beside its final place and renamed only once complete, after
// the registry names it; any failure removes the temporary file, puts the
// registry back and raises EInstallError. Returns the installed path.
//
// When a file of that name is already in the chosen folder, MayReplace is
// asked with its path before anything is written there; a "no" leaves
// everything as it was and gives no path.
//
// Tests choose the folders with two environment variables, read by nothing
// but this program: TESSALOOM_INSTALL_DIR stands for the system folder and
// TESSALOOM_INSTALL_FALLBACK_DIR for the user's programs folder.
std::optional<std::string> InstallScreensaver(TMemoryStream& Contents, const std::string& FileName,
                                              const std::function<bool(const std::string& Existing)>& MayReplace);
