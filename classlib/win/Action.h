#pragma once
// Actions: a command with a caption and an image that controls can be linked
// to. A linked control takes the action's caption (ActionChange) whenever the
// action changes, and its click runs the action. The list an action belongs
// to holds the image list that its ImageIndex counts in.

#include "ClassInfo.h"
#include "ControlTypes.h"

#include <string>
#include <vector>

class TControl;
class TCustomAction;
class TImageList;

class TCustomActionList : public TComponent {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    // A reference, not owned.
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* Value);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TImageList* images_ = nullptr;
};

class TActionList : public TCustomActionList {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};

class TCustomAction : public TComponent {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& Value);
    // Index into the action list's Images; -1 for none.
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int Value);
    TCustomActionList* ActionList() const { return actionList_; }
    void SetActionList(TCustomActionList* Value);

    TNotifyEvent OnExecute;
    // Runs OnExecute; false when it is not assigned.
    virtual bool Execute();

    // Controls linked to the action hear of every change (TControl::SetAction).
    void RegisterClient(TControl* Control);
    void UnRegisterClient(TControl* Control);

protected:
    void BeforeDestruction() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Change();

private:
    std::string caption_;
    int imageIndex_ = -1;
    TCustomActionList* actionList_ = nullptr;
    std::vector<TControl*> clients_;
};

class TAction : public TCustomAction {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};
