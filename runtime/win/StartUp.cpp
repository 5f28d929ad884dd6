#include "StartUp.h"

bool PlaybackWindowExists() { return FindWindowA(kPlaybackWindowClass, nullptr) != nullptr; }

TScreenPoint MessageScreenPoint(const MSG& Message) {
    const TScreenPoint client = PointFromLParam(Message.lParam);
    POINT p{client.X, client.Y};
    if (Message.hwnd && ClientToScreen(Message.hwnd, &p)) return {p.x, p.y};
    return {Message.pt.x, Message.pt.y};
}
