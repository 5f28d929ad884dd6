#pragma once
// TIniFile: sections of "name=value" lines in a text file, through the
// system's profile functions. A bare file name lies in the Windows folder.

#include "Object.h"

#include <string>

class TIniFile : public TObject {
public:
    explicit TIniFile(const std::string& FileName) : fileName_(FileName) {}
    std::string ClassName() const override { return "TIniFile"; }
    const std::string& FileName() const { return fileName_; }

    std::string ReadString(const std::string& Section, const std::string& Ident, const std::string& Default);
    // Raises EIniFileException when the file cannot be written.
    void WriteString(const std::string& Section, const std::string& Ident, const std::string& Value);

private:
    std::string fileName_;
};
