#pragma once
// The built-in styles' pictures, loaded from the program's bitmap resources,
// and the style a new control takes from the form it is created on.

#include "ThemeKeys.h"
#include "UIStyle.h"

class TBitmap;
class TClassInfo;
class TComponent;

// Replaces Bitmap's picture by the style's resource for an Image key;
// anything else (another kind, FromThemeFile, no bitmap) changes nothing.
void LoadBuiltInThemeBitmap(TskUIStyle Style, TskThemeKey Key, TBitmap* Bitmap);
// Count 0 loads the whole picture; otherwise frame Index of Count.
void LoadBuiltInThemeBitmapFrame(TskUIStyle Style, TskThemeKey Key, TBitmap* Graphic, int Count, int Index);

// The form frame class makes itself known here, so that the style lookup
// below finds frames without depending on their class.
void RegisterSkinFormFrame(const TClassInfo& FrameClass);
bool IsSkinFormFrame(const TComponent* Component);

// DeepBlue unless AOwner is a form with a skin form frame among its direct
// child controls; then the first such frame's "UIStyle".
TskUIStyle GetOwnerFormUIStyle(TComponent* AOwner);
