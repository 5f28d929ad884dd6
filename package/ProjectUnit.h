#pragma once
// The screensaver project and its text form: one value per line, CR LF after
// every line, 17 lines plus one per movie and one per agreement line.

#include "Object.h"
#include "Streams.h"
#include "Strings.h"

#include <memory>
#include <string>

class TProject : public TObject {
public:
    TProject();
    std::string ClassName() const override { return "TProject"; }

    std::string Title;
    std::string LogoFile;
    std::string Publisher;
    std::string Homepage;
    std::string Email;
    std::string Copyright;
    bool RandomPlay = false;
    bool ShowLicense = false;
    std::string OutputFile;
    std::string BuildId;  // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", empty in a project file
    const std::unique_ptr<TStrings> FlashList;
    const std::unique_ptr<TStrings> LicenseText;
    const std::unique_ptr<TMemoryStream> ProjectStream;

    // Writes the project text at ProjectStream's position.
    void SaveToStream();
    // Reads every field from the whole of ProjectStream. A count that is not
    // an integer raises EConvertError, a missing line EListError; the fields
    // read before the failure keep their new values.
    void LoadFromStream();
};
