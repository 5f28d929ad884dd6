#pragma once
// Stand-in for the action component that controls may be linked to; the
// programs use no actions, so it only exists for type tests.

#include "ClassInfo.h"

class TCustomAction : public TComponent {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};
