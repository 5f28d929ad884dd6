#pragma once
// Minimum and maximum width and height of a control (0 = no limit).

#include "ClassInfo.h"

class TSizeConstraints : public TPersistent {
public:
    std::string ClassName() const override { return "TSizeConstraints"; }
    static const TClassInfo& StaticClassInfo();
    void Assign(TPersistent* Source) override;

    int MinWidth() const { return minWidth_; }
    int MinHeight() const { return minHeight_; }
    int MaxWidth() const { return maxWidth_; }
    int MaxHeight() const { return maxHeight_; }
    void SetMinWidth(int Value);
    void SetMinHeight(int Value);
    void SetMaxWidth(int Value);
    void SetMaxHeight(int Value);

    // Clamps a size to the limits.
    void Apply(int& Width, int& Height) const;

    TNotifyEvent OnChange;

private:
    void Changed() { OnChange(this); }
    int minWidth_ = 0, minHeight_ = 0, maxWidth_ = 0, maxHeight_ = 0;
};
