#pragma once
// The builder's services in a real run: build identifiers from CoCreateGuid,
// programs started through the shell with the main window as parent.

#include "BuilderCore.h"

#include <windows.h>

#include <functional>

TBuilderServices SystemBuilderServices(std::function<HWND()> Parent);
