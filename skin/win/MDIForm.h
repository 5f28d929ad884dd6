#pragma once
// TskMDIForm: the skinned frame of an MDI main form. Not a control: it puts
// a title bar and a menu-bar panel straight on the form, hooks the form's
// WindowProc and the messages of the form's MDI client window, lays the MDI
// children out itself when they are tiled or cascaded, and while a child is
// maximised shows small minimise, restore and close buttons at the right end
// of its menu bar that act on the active child. The children carry their own
// TskForm.
//
// Both hooks, and the application's OnMessage when the frame took it, go back
// to what they were when the frame is removed; from then on the frame's hooks
// pass every message on untouched.

#include "FileTheme.h"
#include "Messages.h"
#include "SkinButtons.h"
#include "TitleBar.h"
#include "ToolBar.h"
#include "UIStyle.h"

#include <windows.h>

#include <string>

class TCustomForm;
class TMainMenu;
class TPanel;
class TskForm;
class TskMainMenu;

class TskMDIForm : public TComponent {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    TskUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TskUIStyle Value);
    TskFileTheme* FileTheme() const { return fileTheme_; }
    void SetFileTheme(TskFileTheme* Value);
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* Value);
    TColor MenuBarColor() const { return menuBarColor_; }
    void SetMenuBarColor(TColor Value);
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor Value);
    // From the style; not published.
    int BorderWidth() const { return borderWidth_; }
    std::string Caption() const;
    void SetCaption(const std::string& Value);
    bool TitleBarDrawAppIcon() const { return titleBar_ && titleBar_->DrawAppIcon(); }
    void SetTitleBarDrawAppIcon(bool Value);
    bool TitleBarCustom() const { return titleBar_ && titleBar_->Custom(); }
    void SetTitleBarCustom(bool Value);
    bool TitleBarVisible() const { return titleBar_ && titleBar_->Visible(); }
    void SetTitleBarVisible(bool Value);
    TskTitleBarButtons* TitleBarButtons() const { return titleBar_ ? titleBar_->Buttons() : nullptr; }
    TskTitleBarSections* TitleBarSections() const { return titleBar_ ? titleBar_->Sections() : nullptr; }
    bool TitleBarDrawChildCaptions() const { return drawChildCaptions_; }
    void SetTitleBarDrawChildCaptions(bool Value) { drawChildCaptions_ = Value; }
    bool TitleBarDrawChildMenus() const { return drawChildMenus_; }
    void SetTitleBarDrawChildMenus(bool Value) { drawChildMenus_ = Value; }
    int RoundCorner() const { return roundCorner_; }
    void SetRoundCorner(int Value);

    TCustomForm* Form() const { return form_; }
    TskTitleBar* TitleBar() const { return titleBar_; }
    TPanel* MenuPanel() const { return menuPanel_; }
    TToolBar* MenuBar() const { return menuBar_; }
    // Close, restore, minimise (Index 0, 1, 2); null without a menu bar.
    TskToolBarSpeedButton* ChildButton(int Index) const;
    // The menu the bar shows now (null when it is hidden).
    TMainMenu* ShownMenu() const { return shownMenu_; }

    void CreateMenuBar();
    void DestroyMenuBar();
    void RefreshMenuBar();
    // The menu that belongs on the bar: the active child's while the frame
    // draws child menus and the child has one, else the frame's own.
    TMainMenu* EffectiveMenu() const;
    // The frame of the active MDI child, or null.
    TskForm* ActiveChildFrame() const;
    void ShowChildButtons();
    void HideChildButtons();
    void TileChildren();
    void CascadeChildren();
    // Result 1 when the key ran an item of the menu on the bar, else 0.
    void CheckMenuShortCut(TMessage& Message);
    void PaintFormBorder();
    void UpdateFormRegion();

protected:
    void Init() override;
    void BeforeDestruction() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void FormWindowProc(TMessage& Message);
    void ClientWindowProc(TMessage& Message);
    void AppMessage(MSG& Msg, bool& Handled);
    void ChildButtonClick(TObject* Sender);
    void HandleFormSize();
    void Release();
    void ClearFormCaption();
    void DrawMenuBarButton(TToolBar* Sender, TToolButton* Button, TCustomDrawState State, bool& DefaultDraw);
    void DrawMenuBarBackground(TToolBar* Sender, const TRect& ARect, bool& DefaultDraw);
    TskMainMenu* SkinMenu() const;
    // The height the form's top- and bottom-aligned controls take.
    int AlignedHeight() const;

    TCustomForm* form_ = nullptr;
    TWndMethod savedWindowProc_;
    TWndMethod ownWindowProc_;
    TWndMethod savedClientProc_;
    TWndMethod ownClientProc_;
    TPanel* menuPanel_ = nullptr;
    TskTitleBar* titleBar_ = nullptr;
    TToolBar* menuBar_ = nullptr;
    bool ownsAppHook_ = false;
    TskToolBarSpeedButton* childButtons_[3] = {nullptr, nullptr, nullptr};
    bool drawChildCaptions_ = true;
    bool drawChildMenus_ = true;
    bool releasing_ = false;
    bool hooked_ = false;
    TMainMenu* menu_ = nullptr;
    TMainMenu* shownMenu_ = nullptr;
    TskUIStyle uiStyle_ = TskUIStyle::DeepBlue;
    TskFileTheme* fileTheme_ = nullptr;
    TColor menuBarColor_ = clBtnFace;
    TColor borderColor_ = 0;
    int borderWidth_ = 1;
    int roundCorner_ = 0;
};
