#include "OwnPackage.h"

void LoadProject(TDecompileStream& Package, TProject& Project) {
    auto text = Package.GetStream(kProjectStream, true);
    Project.ProjectStream->LoadFromStream(text.get());
    Project.LoadFromStream();
}

void OpenMovies(TDecompileStream& Package, TDecompileStream& Movies) {
    Movies.Decompile(Package.GetStream(kMoviesStream, true));
}
