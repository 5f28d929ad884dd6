#pragma once
// A component that takes the application's OnMessage hook when it is created
// and passes every message to its own OnMessage.

#include "Application.h"

class TApplicationEvents : public TComponent {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
    TMessageEvent OnMessage;

protected:
    void Init() override;
    void BeforeDestruction() override;

private:
    void DoMessage(MSG& Msg, bool& Handled) { OnMessage(Msg, Handled); }
    TMessageEvent hook_;
};
