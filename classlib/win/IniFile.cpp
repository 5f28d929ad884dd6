#include "IniFile.h"

#include "Exceptions.h"

#include <windows.h>

#include <vector>

std::string TIniFile::ReadString(const std::string& Section, const std::string& Ident, const std::string& Default) {
    std::vector<char> buf(2048);
    for (;;) {
        const DWORD n = GetPrivateProfileStringA(Section.c_str(), Ident.c_str(), Default.c_str(), buf.data(),
                                                 static_cast<DWORD>(buf.size()), fileName_.c_str());
        if (n + 1 < buf.size()) return std::string(buf.data(), n);
        buf.resize(buf.size() * 2);  // the value may have been cut: read again
    }
}

void TIniFile::WriteString(const std::string& Section, const std::string& Ident, const std::string& Value) {
    if (!WritePrivateProfileStringA(Section.c_str(), Ident.c_str(), Value.c_str(), fileName_.c_str()))
        throw EIniFileException("Cannot write to the ini file " + fileName_);
}
