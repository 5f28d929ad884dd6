#include "GraphicControl.h"

const TClassInfo& TGraphicControl::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TGraphicControl, TControl>("TGraphicControl", [](auto&) {});
    return info;
}

void TGraphicControl::Dispatch(TMessage& Message) {
    if (Message.Msg != WM_PAINT || !Message.WParam) return TControl::Dispatch(Message);
    canvas_.AttachPaintDC(reinterpret_cast<HDC>(Message.WParam));
    canvas_.Font()->Assign(Font());
    try {
        Paint();
    } catch (...) {
        canvas_.FreeHandle();
        throw;
    }
    canvas_.FreeHandle();
}
