// Any bytes as the screensaver's own file, read as the playback window reads
// it (project, settings, the movies written out and the first one started)
// and as the setup dialog reads its logo. Reading may fail with the library's
// errors, which the program shows in a box; it must never crash, read outside
// the data, allocate by a size field alone, or leave a file behind.

#include "Fakes.h"
#include "OwnPackage.h"
#include "Playback.h"
#include "SetupLogo.h"

#include <cstdint>
#include <cstdlib>

namespace {

const std::string kTemp = "C:\\Temp\\";

void PlayFrom(const std::string& Own) {
    TMemoryFileSystem files;
    TMemorySettings settings;
    TRecordingVolume volume;
    TRecordingWindow window;
    TFixedPlatform platform;
    TScriptedPassword password;
    TPlaybackServices services;
    services.OpenOwnFile = [&]() -> std::unique_ptr<TStream> { return StreamOf(Own); };
    services.Settings = &settings;
    services.Volume = &volume;
    services.Files = &files;
    services.TempFolder = kTemp;
    services.Platform = &platform;
    services.Password = &password;
    int draws = 0;
    services.Draw = [&](int Count) { return Count > 0 ? draws++ % Count : 0; };

    TPlayback playback(window, services);
    try {
        playback.Show();
        // Started: every entry of the list names a file written for it.
        const TStrings& list = *playback.Project().FlashList;
        if (list.Count() == 0 || playback.WrittenFiles().size() != static_cast<std::size_t>(list.Count())) std::abort();
        for (int i = 0; i < list.Count(); ++i)
            if (!files.FileExists(list.Strings(i))) std::abort();
        if (window.Movie != list.Strings(0)) std::abort();
        playback.Poll(1, 0);
    } catch (const Exception&) {
    }
    playback.Finish();
    if (!files.Files.empty()) std::abort();  // a movie of this run left behind
    if (window.CursorCount != 0) std::abort();
}

void ReadLogoFrom(const std::string& Own) {
    TMemoryFileSystem files;
    try {
        auto own = StreamOf(Own);
        TDecompileStream package;
        package.Decompile(own.get());
        TProject project;
        LoadProject(package, project);
        auto logo = package.GetStream(kLogoStream, true);
        LoadLogoThroughFile(files, kTemp, project.LogoFile, *logo, [&](const std::string& Path) {
            if (files.Files.at(Path).size() != static_cast<std::size_t>(logo->Size())) std::abort();
        });
    } catch (const Exception&) {
    }
    if (!files.Files.empty()) std::abort();  // the logo's passing copy left behind
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const std::string own(reinterpret_cast<const char*>(Data), Size);
    PlayFrom(own);
    ReadLogoFrom(own);
    return 0;
}
