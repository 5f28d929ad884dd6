#pragma once
// The installation package as the installer finds it in its own program file,
// and the installed screensaver file made from it.
//
// Package streams: 0 the installer itself (raw), 1 the screensaver program,
// 2 the movie container, 3 the project text, 4 the logo (all compressed).
// Installed file streams: 0 the screensaver program (raw, so the file runs),
// 1 the movie container, 2 the project text, 3 the logo (compressed).

#include "DecompileUnit.h"
#include "Exceptions.h"
#include "Object.h"
#include "PackageContents.h"
#include "ProjectUnit.h"
#include "Streams.h"

#include <memory>
#include <optional>
#include <string>

// A failure the installer reports to its user; the message is written for them.
class EInstallError : public Exception {
    using Exception::Exception;
};

class TInstallPackage : public TObject {
public:
    std::string ClassName() const override { return "TInstallPackage"; }

    // Reads the whole package from Source and checks every stream the
    // installed file will carry, so a damaged package is refused before the
    // user is asked anything. Raises EInstallError.
    void Load(TStream* Source);
    // After Load: what the screensaver will read of its file can be used
    // (a Windows program, as many movies as the project lists and at least
    // one, a logo its picture loader takes, decoded through Logos). The
    // builder never writes a package that fails here; crafted ones exist.
    // Raises EInstallError.
    void CheckUsable(const TLogoDecoder& Logos) const;

    // Valid after Load.
    const TProject& Project() const { return project_; }

    // The complete installed screensaver file. The compressed streams are
    // copied as the package stores them (same bytes, same sizes): they were
    // checked by Load, and deflating them again would only cost time.
    std::unique_ptr<TMemoryStream> InstalledFile();

private:
    std::unique_ptr<TMemoryStream> Inflate(int Index, const char* What);

    TDecompileStream package_;
    std::unique_ptr<TMemoryStream> runtime_;
    std::unique_ptr<TMemoryStream> logo_;
    int movieCount_ = 0;
    TProject project_;
};

// Who an installed screensaver file came from: the title and the build
// identifier of its project text. Nothing when Source is not an installed
// screensaver file (another program, a damaged file).
struct TInstalledOrigin {
    std::string Title;
    std::string BuildId;
};
std::optional<TInstalledOrigin> ReadInstalledOrigin(TStream* Source);

// "<title>.scr" with the title made usable as a Windows file name: characters
// Windows refuses become "_", blanks at either end and dots at the end go,
// device names (CON, COM1...) get a "_" in front, very long titles are cut,
// and nothing left gives "Screensaver.scr".
std::string ScreensaverFileName(const std::string& Title);
