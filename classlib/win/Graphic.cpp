#include "Graphic.h"

void TGraphic::SetTransparent(bool Value) {
    if (Value == transparent_) return;
    transparent_ = Value;
    Changed();
}
