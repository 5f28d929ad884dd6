#pragma once
// The title bar's name for the general theme-key reader, kept so that code
// written against the old name still compiles.

#include "FileTheme.h"

using TskTitleBarTheme = TskResolvedTheme;
