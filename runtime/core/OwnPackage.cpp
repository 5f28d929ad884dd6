#include "OwnPackage.h"

void LoadProject(TDecompileStream& Package, TProject& Project) {
    auto text = Package.GetStream(kProjectStream, true);
    Project.ProjectStream->LoadFromStream(text.get());
    Project.LoadFromStream();
}
