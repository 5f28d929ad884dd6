#pragma once
// Makes the wrapped native controls and the plain controls known to the class
// registry, so that form descriptions can create them by class name.

void RegisterStandardControls();
