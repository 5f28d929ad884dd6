#include "Action.h"

const TClassInfo& TCustomAction::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TCustomAction, TComponent>("TCustomAction", [](auto&) {});
    return info;
}
