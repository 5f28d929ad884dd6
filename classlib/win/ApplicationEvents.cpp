#include "ApplicationEvents.h"

const TClassInfo& TApplicationEvents::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TApplicationEvents, TComponent>("TApplicationEvents", [](auto& c) {
        c.Event("OnMessage", &TApplicationEvents::OnMessage);
    });
    return info;
}

void TApplicationEvents::Init() {
    TComponent::Init();
    hook_ = TMessageEvent::Bind<&TApplicationEvents::DoMessage>(this);
    Application->OnMessage = hook_;
}

void TApplicationEvents::BeforeDestruction() {
    if (Application->OnMessage == hook_) Application->OnMessage = TMessageEvent();
    TComponent::BeforeDestruction();
}
