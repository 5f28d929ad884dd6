#include "SizeConstraints.h"

#include <algorithm>

const TClassInfo& TSizeConstraints::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TSizeConstraints, void>("TSizeConstraints", [](auto& c) {
        c.Int("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight);
        c.Int("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth);
        c.Int("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight);
        c.Int("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth);
    });
    return info;
}

void TSizeConstraints::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TSizeConstraints*>(Source);
    if (!s) return TPersistent::Assign(Source);
    minWidth_ = s->minWidth_;
    minHeight_ = s->minHeight_;
    maxWidth_ = s->maxWidth_;
    maxHeight_ = s->maxHeight_;
    Changed();
}

void TSizeConstraints::SetMinWidth(int Value) {
    Value = std::max(Value, 0);
    if (Value == minWidth_) return;
    minWidth_ = Value;
    if (maxWidth_ > 0 && maxWidth_ < minWidth_) maxWidth_ = minWidth_;
    Changed();
}
void TSizeConstraints::SetMinHeight(int Value) {
    Value = std::max(Value, 0);
    if (Value == minHeight_) return;
    minHeight_ = Value;
    if (maxHeight_ > 0 && maxHeight_ < minHeight_) maxHeight_ = minHeight_;
    Changed();
}
void TSizeConstraints::SetMaxWidth(int Value) {
    Value = std::max(Value, 0);
    if (Value == maxWidth_) return;
    maxWidth_ = Value;
    if (maxWidth_ > 0 && minWidth_ > maxWidth_) minWidth_ = maxWidth_;
    Changed();
}
void TSizeConstraints::SetMaxHeight(int Value) {
    Value = std::max(Value, 0);
    if (Value == maxHeight_) return;
    maxHeight_ = Value;
    if (maxHeight_ > 0 && minHeight_ > maxHeight_) minHeight_ = maxHeight_;
    Changed();
}

void TSizeConstraints::Apply(int& Width, int& Height) const {
    if (maxWidth_ > 0) Width = std::min(Width, maxWidth_);
    if (maxHeight_ > 0) Height = std::min(Height, maxHeight_);
    Width = std::max(Width, minWidth_);
    Height = std::max(Height, minHeight_);
}
