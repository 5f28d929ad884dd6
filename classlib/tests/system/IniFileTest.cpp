#include "Exceptions.h"
#include "IniFile.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

TEST(IniFile, WritesSectionsAndReadsThemBack) {
    TTestFolder dir("ini");
    TIniFile ini(dir.File("system.ini"));
    ini.WriteString("boot", "SCRNSAVE.EXE", "C:\\WINDOWS\\SYSTEM~1\\FLASHS~1.SCR");
    ini.WriteString("boot", "other", "x");
    EXPECT_EQ(ini.ReadString("boot", "SCRNSAVE.EXE", ""), "C:\\WINDOWS\\SYSTEM~1\\FLASHS~1.SCR");
    EXPECT_EQ(ini.ReadString("boot", "scrnsave.exe", ""), "C:\\WINDOWS\\SYSTEM~1\\FLASHS~1.SCR");
    EXPECT_EQ(ini.ReadString("boot", "missing", "dflt"), "dflt");
    ini.WriteString("boot", "SCRNSAVE.EXE", "B.SCR");
    EXPECT_EQ(ini.ReadString("boot", "SCRNSAVE.EXE", ""), "B.SCR");

    // The file as other programs read it.
    TIniFile again(dir.File("system.ini"));
    EXPECT_EQ(again.ReadString("boot", "other", ""), "x");
}

TEST(IniFile, FailedWriteRaisesTheIniError) {
    TTestFolder dir("ini-fail");
    const std::string name = dir.File("no such folder\\x.ini");
    TIniFile ini(name);
    try {
        ini.WriteString("boot", "SCRNSAVE.EXE", "x");
        FAIL() << "no exception";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.Message(), "Cannot write to the ini file " + name);
    }
}

}  // namespace
