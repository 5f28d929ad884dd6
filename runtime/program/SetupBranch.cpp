#include "SetupBranch.h"

#include "Application.h"
#include "SetupForm.h"

void CreateSetupDialog() {
    TSetupForm* form = nullptr;
    Application->CreateForm(form);
}
