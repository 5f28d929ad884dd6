#include "CustomControl.h"

const TClassInfo& TCustomControl::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TCustomControl, TWinControl>("TCustomControl", [](auto&) {});
    return info;
}

void TCustomControl::PaintWindow(HDC DC) {
    canvas_.AttachPaintDC(DC);
    canvas_.Font()->Assign(Font());
    canvas_.Brush()->SetColor(Color());
    try {
        Paint();
    } catch (...) {
        canvas_.FreeHandle();
        throw;
    }
    canvas_.FreeHandle();
}

void TCustomControl::BeforeDestruction() {
    canvas_.FreeHandle();
    TWinControl::BeforeDestruction();
}
