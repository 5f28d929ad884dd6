#pragma once
// TSystemInfo: the runtime's questions to the system about folders, and the
// entry that makes a screensaver the default on the Windows 9x family.

#include "Object.h"
#include "Strings.h"

#include <windows.h>

#include <functional>
#include <set>
#include <string>

class TSystemInfo : public TObject {
public:
    // Lets the application handle its pending messages, so long searches
    // keep the windows responsive. Without one given, the application
    // object's own processing of its pending messages is used.
    using TProcessMessages = std::function<void()>;

    explicit TSystemInfo(TProcessMessages ProcessMessages = {});
    std::string ClassName() const override { return "TSystemInfo"; }

    // The path of a shell folder (a CSIDL value), without a trailing "\";
    // empty when the folder cannot be resolved. Owner owns any dialog the
    // shell shows.
    std::string GetCacheDirectory(int Folder, HWND Owner);
    // Adds every file below Folder (given without a trailing "\") to List as
    // its upper-cased full path, depth first in the order the file system
    // lists them. Pending messages are processed once per folder visited,
    // an empty or missing one too. Links and junctions to folders are not
    // entered, and no folder is entered twice, so a link back up the tree
    // cannot make the walk endless.
    void FindAll(const std::string& Folder, TStrings& List);
    // In "system.ini" of the Windows folder, section "boot", the key
    // "SCRNSAVE.EXE" gets the short form of FileName. Raises the ini file's
    // error when the file cannot be written.
    void SetDefaultScreensaver(const std::string& FileName);
    // With the trailing "\" the system gives.
    std::string GetTempDirectory();
    // The Windows folder and one "\".
    std::string GetWindowsPath();

private:
    void FindAllBelow(const std::string& Folder, TStrings& List, std::set<std::string>& Visited);

    TProcessMessages processMessages_;
};
