#include "InputFilter.h"

#include <cstdlib>

TScreenPoint PointFromLParam(std::intptr_t LParam) {
    const auto bits = static_cast<std::uint32_t>(static_cast<std::uintptr_t>(LParam));
    return {static_cast<std::int16_t>(bits & 0xFFFF), static_cast<std::int16_t>(bits >> 16)};
}

TInputVerdict TInputFilter::Judge(std::uint32_t Message, TScreenPoint Cursor) const {
    if (InPasswordCheck) return TInputVerdict::Pass;
    switch (Message) {
    case msgKeyDown:
    case msgKeyUp:
    case msgSysKeyDown:
    case msgSysKeyUp:
    case msgLButtonDown:
    case msgMButtonDown:
        return TInputVerdict::Close;
    case msgRButtonDown:
        // The player would open its context menu on top of the closing window.
        return TInputVerdict::SwallowAndClose;
    case msgMouseMove: {
        if (IgnoreMouse) return TInputVerdict::Pass;
        const std::int64_t dx = std::llabs(std::int64_t{Cursor.X} - StartPoint.X);
        const std::int64_t dy = std::llabs(std::int64_t{Cursor.Y} - StartPoint.Y);
        return dx > kMouseThreshold || dy > kMouseThreshold ? TInputVerdict::Close : TInputVerdict::Pass;
    }
    default:
        return TInputVerdict::Pass;
    }
}
