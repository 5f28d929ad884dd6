#pragma once
// Where the skinned MDI frame puts the MDI children when they are tiled or
// cascaded. Children are given in the form's MDIChildren order; minimised
// ones keep their place (a row is left for them under tiled children) and
// the others are placed from the last child to the first.

#include <vector>

struct TMDIChildPlace {
    int Child;  // index into the children given
    int Left, Top, Width, Height;
    bool operator==(const TMDIChildPlace&) const = default;
};

// AlignedHeight: the height taken by the form's controls aligned to its top
// or bottom (title bar, menu bar), which the children must leave free.
std::vector<TMDIChildPlace> TileMDIChildren(int ClientWidth, int ClientHeight, int AlignedHeight,
                                            const std::vector<bool>& Minimized, bool Vertical);

// Windows of 80 % of the client width and 60 % of its height (truncated),
// each 22 pixels right of and below the one before.
std::vector<TMDIChildPlace> CascadeMDIChildren(int ClientWidth, int ClientHeight, const std::vector<bool>& Minimized);
