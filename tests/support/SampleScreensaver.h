#pragma once
// The bundled sample project turned into an installation package by the
// builder's logic and into an installed screensaver file by the installer's,
// without their windows: for tests that start the screensaver itself.

#include <string>
#include <vector>

struct TSampleScreensaver {
    std::string Package;     // the installation package written by the build
    std::string Installed;   // "<folder>\Sample Screensaver.scr"
    std::string BuildId;
    std::vector<std::string> Movies;  // the project's movie paths, in order
};

// Writes both files into Folder (which must exist), from the sample project
// and the programs in the build folder's bin\. Raises on any failure.
TSampleScreensaver MakeSampleScreensaver(const std::string& Folder);

// Removes the registry key the screensaver of this build identifier keeps
// its settings in (the playback window creates it).
void RemoveScreensaverKey(const std::string& BuildId);
