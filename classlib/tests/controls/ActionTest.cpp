// Actions linked to controls: the control takes the action's caption at once
// and on every change, its click runs the action unless it has an OnClick of
// its own, and a freed action is forgotten.
#include "Action.h"
#include "Button.h"
#include "ControlsFixture.h"
#include "ImageList.h"

namespace {

struct TRuns : public TRecorder {
    void Run(TObject* Sender) { Note("run " + static_cast<TComponent*>(Sender)->Name()); }
    void Click(TObject* Sender) { Note("click " + static_cast<TComponent*>(Sender)->Name()); }
};

class Actions : public ControlsTest {};

TEST_F(Actions, ALinkedControlTakesTheCaptionAndItsClickRunsTheAction) {
    TRuns runs;
    auto* action = Create<TAction>(form.get());
    action->SetName("Build");
    action->SetCaption("&Build");
    action->OnExecute = TNotifyEvent::Bind<&TRuns::Run>(&runs);
    auto* button = Add<TButton>(form.get(), 10, 10, 75, 25);
    button->SetName("BuildBtn");
    button->SetAction(action);
    EXPECT_EQ(button->Caption(), "&Build");
    action->SetCaption("Re&build");
    EXPECT_EQ(button->Caption(), "Re&build");

    ClickAt(button->Handle(), 5, 5);
    EXPECT_EQ(runs.Log, std::vector<std::string>{"run Build"});
    button->OnClick = TNotifyEvent::Bind<&TRuns::Click>(&runs);
    ClickAt(button->Handle(), 5, 5);
    EXPECT_EQ(runs.Log, (std::vector<std::string>{"run Build", "click BuildBtn"}));

    action->Free();
    EXPECT_EQ(button->Action(), nullptr);
    button->OnClick = TNotifyEvent();
    ClickAt(button->Handle(), 5, 5);
    EXPECT_EQ(runs.Log.size(), 2u);
}

TEST_F(Actions, AnActionListHoldsTheImagesAndForgetsThemWhenFreed) {
    auto* images = Create<TImageList>(form.get());
    auto* list = Create<TActionList>(form.get());
    list->SetImages(images);
    auto* action = Create<TAction>(form.get());
    action->SetActionList(list);
    EXPECT_EQ(action->ActionList()->Images(), images);
    EXPECT_EQ(action->ImageIndex(), -1);
    images->Free();
    EXPECT_EQ(list->Images(), nullptr);
    list->Free();
    EXPECT_EQ(action->ActionList(), nullptr);
}

}  // namespace
