#pragma once
// The skin art: every bitmap resource the skinned controls load by name.

#include "ImageFiles.h"
#include "Raster.h"
#include "ThemeKeys.h"

#include <string>
#include <vector>

struct ArtItem {
    std::string Name;
    Bitmap Image;
    bool EightBit = false;  // stored with a 256-colour palette, fuchsia first
};

// The pictures of one built-in style, named as its table names them
// (without the shared "MORE_SCROLLBUTTON").
std::vector<ArtItem> StyleArt(TskUIStyle Style);

// Pictures not tied to one style: "MORE_SCROLLBUTTON", menu, form background,
// MDI and navigator pictures.
std::vector<ArtItem> SharedArt();

// The program icon at 16, 32 and 48 pixels.
std::vector<IconImage> MainIcon();

// All art in sheet order.
std::vector<ArtItem> AllArt();

// A small window made of one style's pictures, as the controls combine them.
Bitmap StylePreview(TskUIStyle Style, const std::vector<ArtItem>& art);

// A sheet showing every picture magnified, with its name and size.
Bitmap ArtSheet(const std::vector<ArtItem>& art, const std::vector<IconImage>& icon);
