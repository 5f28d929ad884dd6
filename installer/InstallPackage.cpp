#include "InstallPackage.h"

#include "PackageContents.h"
#include "SysUtils.h"

#include <array>
#include <cstring>
#include <string_view>

namespace {

enum PackageStream { psInstaller, psRuntime, psMovies, psProject, psLogo, PackageStreamCount };

constexpr const char* NotAPackage = "This file is not a screensaver installation package, or it is damaged.";

void PutInt32(TStream* Dest, std::int32_t Value) {
    const auto v = static_cast<std::uint32_t>(Value);
    const unsigned char bytes[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                                    static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
    Dest->WriteBuffer(bytes, 4);
}

}  // namespace

std::unique_ptr<TMemoryStream> TInstallPackage::Inflate(int Index, const char* What) {
    try {
        auto s = package_.GetStream(Index, true);
        s->SetPosition(0);
        return s;
    } catch (const Exception&) {
        throw EInstallError(Format("The installation package is damaged: its %s cannot be read.", What));
    }
}

void TInstallPackage::Load(TStream* Source) {
    try {
        package_.Decompile(Source);
    } catch (const EStreamError&) {
        throw EInstallError(NotAPackage);
    }
    if (package_.Count() != PackageStreamCount) throw EInstallError(NotAPackage);

    constexpr const char* program = "screensaver program";
    runtime_ = Inflate(psRuntime, program);
    if (runtime_->Size() < 2 || std::memcmp(runtime_->Memory(), "MZ", 2) != 0)
        throw EInstallError(Format("The installation package is damaged: its %s cannot be read.", program));

    auto movies = Inflate(psMovies, "movies");
    try {
        TDecompileStream container;
        container.Decompile(movies.get());
        movieCount_ = container.Count();
    } catch (const EStreamError&) {
        throw EInstallError("The installation package is damaged: its movies cannot be read.");
    }

    auto text = Inflate(psProject, "screensaver settings");
    try {
        project_.ProjectStream->LoadFromStream(text.get());
        project_.LoadFromStream();
    } catch (const Exception&) {
        throw EInstallError("The installation package is damaged: its screensaver settings cannot be read.");
    }

    logo_ = Inflate(psLogo, "logo");
}

void TInstallPackage::CheckUsable(const TLogoDecoder& Logos) const {
    if (!runtime_) throw EInstallError(NotAPackage);
    if (!IsWindowsProgram(runtime_->Memory(), static_cast<std::size_t>(runtime_->Size())))
        throw EInstallError("The installation package is damaged: its screensaver program is not a Windows program.");
    if (movieCount_ == 0) throw EInstallError("The installation package is damaged: it holds no movie.");
    if (movieCount_ != project_.FlashList->Count())
        throw EInstallError(Format("The installation package is damaged: it holds %d movies, but its screensaver "
                                   "settings list %d.",
                                   movieCount_, project_.FlashList->Count()));
    if (!IsLoadableLogo(project_.LogoFile, logo_->Memory(), static_cast<std::size_t>(logo_->Size()), Logos))
        throw EInstallError(Format("The installation package is damaged: its logo is not a picture the screensaver "
                                   "can show (\"%s\").",
                                   ExtractFileName(project_.LogoFile)));
}

std::unique_ptr<TMemoryStream> TInstallPackage::InstalledFile() {
    if (!runtime_) throw EInstallError(NotAPackage);
    const auto& stored = package_.StoredSizes();
    const auto& unpacked = package_.UnpackedSizes();
    std::array<std::int64_t, PackageStreamCount> offsets{};
    for (int i = 1; i < PackageStreamCount; ++i) offsets[i] = offsets[i - 1] + stored[i - 1];

    constexpr int copied[] = {psMovies, psProject, psLogo};
    std::int64_t total = runtime_->Size() + 4 + 8 * 4;
    for (int i : copied) total += stored[i];

    auto out = std::make_unique<TMemoryStream>();
    out->SetCapacity(total);
    out->WriteBuffer(runtime_->Memory(), runtime_->Size());
    const auto* bytes = static_cast<const char*>(package_.Data()->Memory());
    for (int i : copied) out->WriteBuffer(bytes + offsets[i], stored[i]);

    const auto runtimeSize = static_cast<std::int32_t>(runtime_->Size());
    PutInt32(out.get(), runtimeSize);
    PutInt32(out.get(), runtimeSize);
    for (int i : copied) {
        PutInt32(out.get(), unpacked[i]);
        PutInt32(out.get(), stored[i]);
    }
    PutInt32(out.get(), 4);
    return out;
}

std::optional<TInstalledOrigin> ReadInstalledOrigin(TStream* Source) {
    constexpr int InstalledStreams = 4, InstalledProject = 2;
    try {
        TDecompileStream file;
        file.Decompile(Source);
        if (file.Count() != InstalledStreams) return std::nullopt;
        TProject project;
        project.ProjectStream->LoadFromStream(file.GetStream(InstalledProject, true).get());
        project.LoadFromStream();
        return TInstalledOrigin{project.Title, project.BuildId};
    } catch (const Exception&) {
        return std::nullopt;
    }
}

namespace {

// Room for the folder in front of the name within the classic 260-character
// path limit, even in a deep user profile.
constexpr std::size_t MaxNameLength = 100;

bool IsDeviceName(std::string_view Base) {
    while (!Base.empty() && Base.back() == ' ') Base.remove_suffix(1);
    static constexpr std::string_view plain[] = {"CON", "PRN", "AUX", "NUL"};
    for (auto d : plain)
        if (SameText(Base, d)) return true;
    if (Base.size() == 4 && Base[3] >= '1' && Base[3] <= '9')
        return SameText(Base.substr(0, 3), "COM") || SameText(Base.substr(0, 3), "LPT");
    return false;
}

void TrimEnds(std::string& S) {
    while (!S.empty() && (S.back() == ' ' || S.back() == '.')) S.pop_back();
    const auto first = S.find_first_not_of(' ');
    S.erase(0, first == std::string::npos ? S.size() : first);
}

}  // namespace

std::string ScreensaverFileName(const std::string& Title) {
    std::string name = Title;
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 32 || std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos)
            c = '_';
    TrimEnds(name);
    if (name.size() > MaxNameLength) {
        name.resize(MaxNameLength);
        TrimEnds(name);
    }
    if (name.empty()) name = "Screensaver";
    if (IsDeviceName(std::string_view(name).substr(0, name.find('.')))) name = "_" + name;
    return name + ".scr";
}
