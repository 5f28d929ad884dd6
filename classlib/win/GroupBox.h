#pragma once
// Group boxes: an etched frame with the caption set into its top edge. The
// children sit inside the frame, and the box's enabled state is passed on to
// every child (enabling the box enables them all again).

#include "CustomControl.h"

class TCustomGroupBox : public TCustomControl {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    void SetEnabled(bool Value) override;

protected:
    void Init() override;
    void AdjustClientRect(TRect& Rect) override;
    void Dispatch(TMessage& Message) override;
    void Paint() override;

private:
    int CaptionHeight();
};

class TGroupBox : public TCustomGroupBox {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};
