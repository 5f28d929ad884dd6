#pragma once
// The setup dialog as the program's main form.

void CreateSetupDialog();
