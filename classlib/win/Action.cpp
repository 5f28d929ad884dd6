#include "Action.h"

#include "Control.h"
#include "ImageList.h"

#include <algorithm>

const TClassInfo& TCustomActionList::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TCustomActionList, TComponent>("TCustomActionList", [](auto&) {});
    return info;
}

const TClassInfo& TActionList::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TActionList, TCustomActionList>("TActionList", [](auto& c) {
        c.template Reference<TImageList>("Images", &TActionList::Images, &TActionList::SetImages);
    });
    return info;
}

void TCustomActionList::SetImages(TImageList* Value) {
    if (images_ && images_ != Value) images_->RemoveFreeNotification(this);
    images_ = Value;
    if (Value) Value->FreeNotification(this);
}

void TCustomActionList::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == images_) images_ = nullptr;
}

const TClassInfo& TCustomAction::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TCustomAction, TComponent>("TCustomAction", [](auto&) {});
    return info;
}

const TClassInfo& TAction::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TAction, TCustomAction>("TAction", [](auto& c) {
        c.String("Caption", &TAction::Caption, &TAction::SetCaption);
        c.Int("ImageIndex", &TAction::ImageIndex, &TAction::SetImageIndex);
        c.template Reference<TCustomActionList>("ActionList", &TAction::ActionList, &TAction::SetActionList);
        c.Event("OnExecute", &TAction::OnExecute);
    });
    return info;
}

void TCustomAction::SetCaption(const std::string& Value) {
    if (Value == caption_) return;
    caption_ = Value;
    Change();
}

void TCustomAction::SetImageIndex(int Value) {
    if (Value == imageIndex_) return;
    imageIndex_ = Value;
    Change();
}

void TCustomAction::SetActionList(TCustomActionList* Value) {
    if (Value == actionList_) return;
    if (actionList_) actionList_->RemoveFreeNotification(this);
    actionList_ = Value;
    if (Value) Value->FreeNotification(this);
    Change();
}

bool TCustomAction::Execute() {
    if (!OnExecute) return false;
    OnExecute(this);
    return true;
}

void TCustomAction::RegisterClient(TControl* Control) {
    if (std::find(clients_.begin(), clients_.end(), Control) == clients_.end()) clients_.push_back(Control);
}

void TCustomAction::UnRegisterClient(TControl* Control) {
    clients_.erase(std::remove(clients_.begin(), clients_.end(), Control), clients_.end());
}

void TCustomAction::Change() {
    // A client's handler may unlink it; walk a copy.
    const std::vector<TControl*> clients = clients_;
    for (TControl* c : clients)
        if (std::find(clients_.begin(), clients_.end(), c) != clients_.end()) c->ActionChange(this, false);
}

void TCustomAction::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == actionList_) actionList_ = nullptr;
}

void TCustomAction::BeforeDestruction() {
    clients_.clear();
    TComponent::BeforeDestruction();
}
