#pragma once
// Buttons are drawn as they look untouched: the characters of their up state.

#include <cstdint>
#include <span>

struct TSwfButton;

// Reads a DefineButton (Version 1) or DefineButton2 (Version 2) body after
// its character id. Returns false when the records are cut short or broken;
// the records read before are kept.
bool ReadButton(std::span<const uint8_t> Body, int Version, TSwfButton& Button);
