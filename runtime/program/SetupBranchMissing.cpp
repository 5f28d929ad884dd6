#include "SetupBranch.h"

// Until the setup dialog is part of the build the program shows nothing for it.
void CreateSetupDialog() {}
