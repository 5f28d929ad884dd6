#include "Application.h"
#include "Form.h"
#include "MenuDriver.h"
#include "Menus.h"
#include "Panel.h"
#include "Pump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TMenuTestForm : public TForm {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info = DescribeClass<TMenuTestForm, TForm>("TMenuTestForm", [](auto& c) {
            c.template Handler<&TMenuTestForm::FormCreate>("FormCreate");
            c.template Handler<&TMenuTestForm::MMSaveClick>("MMSaveClick");
            c.template Handler<&TMenuTestForm::MMRefreshClick>("MMRefreshClick");
            c.template Handler<&TMenuTestForm::ListPopupMenuPopup>("ListPopupMenuPopup");
            c.template Handler<&TMenuTestForm::PMAddClick>("PMAddClick");
            c.template Handler<&TMenuTestForm::PMRemoveClick>("PMRemoveClick");
        });
        return info;
    }
    void FormCreate(TObject*) {
        Log.push_back(std::string("create") + (FindComponent("MainMenu") && Menu() ? " with menu" : ""));
    }
    void MMSaveClick(TObject*) { Log.push_back("save"); }
    void MMRefreshClick(TObject*) { Log.push_back("refresh"); }
    void ListPopupMenuPopup(TObject* Sender) {
        auto* menu = static_cast<TPopupMenu*>(Sender);
        Log.push_back("popup from " + (menu->PopupComponent ? static_cast<TComponent*>(menu->PopupComponent)->Name() : ""));
        // Decided just before the menu opens, as the builder's list does.
        static_cast<TMenuItem*>(FindComponent("PMAdd"))->SetEnabled(false);
    }
    void PMAddClick(TObject*) { Log.push_back("add"); }
    void PMRemoveClick(TObject*) { Log.push_back("remove"); }
    std::vector<std::string> Log;
};

class FormMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        TPanel::StaticClassInfo();
        TMainMenu::StaticClassInfo();
        TPopupMenu::StaticClassInfo();
        TMenuItem::StaticClassInfo();
        form = CreateOwned<TMenuTestForm>();
        form->Show();
        SetForegroundWindow(form->Handle());
        PumpFor(100);
    }
    void TearDown() override { form.reset(); }
    template <class T>
    T* Find(const char* Name) {
        return dynamic_cast<T*>(form->FindComponent(Name));
    }
    TOwned<TMenuTestForm> form;
};

TEST_F(FormMenuTest, DescriptionFromResourcesGivesTheFormItsMenuBar) {
    EXPECT_EQ(form->Caption(), "Menus");
    EXPECT_EQ(form->Log, (std::vector<std::string>{"create with menu"})) << "OnCreate fires once, after loading";
    ASSERT_NE(form->Menu(), nullptr);
    EXPECT_EQ(GetMenu(form->Handle()), form->Menu()->Handle());
    auto* panel = Find<TPanel>("ListPanel");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->Parent(), form.get());
    EXPECT_EQ(panel->PopupMenu(), Find<TPopupMenu>("ListPopupMenu"));
    EXPECT_EQ(form->ClientHeight(), 200) << "the bar does not eat the client area";
}

TEST_F(FormMenuTest, BarItemChosenWithTheKeyboardRunsItsHandler) {
    form->Log.clear();
    TMenuDriver user(GetSubMenu(form->Menu()->Handle(), 0), Find<TMenuItem>("MMRefresh")->Command());
    PostMessageA(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'f');
    EXPECT_TRUE(PumpUntil([&] { return !form->Log.empty(); }, 8000));
    EXPECT_TRUE(user.Found());
    EXPECT_EQ(form->Log, (std::vector<std::string>{"refresh"}));
}

TEST_F(FormMenuTest, ShortCutKeysRunTheirItemsThroughTheLoop) {
    form->Log.clear();
    PostMessageA(form->Handle(), WM_KEYDOWN, VK_F5, 0);
    PumpFor(100);
    // Ctrl held down while S is pressed.
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageA(form->Handle(), WM_KEYDOWN, 'S', 0);
    PumpFor(100);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    // S alone is no shortcut.
    PostMessageA(form->Handle(), WM_KEYDOWN, 'S', 0);
    PumpFor(100);
    EXPECT_EQ(form->Log, (std::vector<std::string>{"refresh", "save"}));
}

TEST_F(FormMenuTest, RightClickOnAControlPopsUpItsMenu) {
    form->Log.clear();
    auto* panel = Find<TPanel>("ListPanel");
    // Add is disabled by OnPopup, so the user goes down to Remove.
    TMenuDriver user(Find<TPopupMenu>("ListPopupMenu")->Handle(), Find<TMenuItem>("PMRemove")->Command());
    PostMessageA(panel->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 20));
    PostMessageA(panel->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(20, 20));
    EXPECT_TRUE(PumpUntil([&] { return form->Log.size() >= 2; }, 8000));
    EXPECT_TRUE(user.Found());
    EXPECT_EQ(form->Log, (std::vector<std::string>{"popup from ListPanel", "remove"}));
}

}  // namespace
