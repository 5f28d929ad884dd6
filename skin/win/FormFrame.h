#pragma once
// TskForm: the skinned frame of a form. A panel on the form, aligned to the
// whole client area, that takes the native caption away from the form window,
// carries the title bar at its top and, with a Menu, a menu bar below it;
// paints the form's non-client border itself, rounds the two top corners with
// a window region, keeps a maximised form on the desktop work area and paints
// its client area in the colours or background patterns of its style.
//
// The frame hooks the form's WindowProc and, when nobody holds it, the
// application's OnMessage; both go back when the frame is removed, and the
// form then works as a plain form again.

#include "FileTheme.h"
#include "MainMenu.h"
#include "Messages.h"
#include "Panel.h"
#include "TitleBar.h"
#include "ToolBar.h"
#include "UIStyle.h"

#include <string>

class TCustomForm;
class TMainMenu;

class TskForm : public TCustomPanel, public TskMenuBarHost {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    TskUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TskUIStyle Value);
    TskFileTheme* FileTheme() const { return fileTheme_; }
    void SetFileTheme(TskFileTheme* Value);
    bool UIStyleAutoUpdateSub() const { return uiStyleAutoUpdateSub_; }
    void SetUIStyleAutoUpdateSub(bool Value) { uiStyleAutoUpdateSub_ = Value; }

    // The painted outer border; it hides the panel's margin of the same name,
    // which a frame keeps at zero.
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor Value);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int Value);

    bool TitleBarVisible() const;
    void SetTitleBarVisible(bool Value);
    // The title bar's caption; writing it also sets the form's.
    std::string FrameCaption() const;
    void SetFrameCaption(const std::string& Value);
    // The title bar's corner radius while the bar shows, else 0.
    int RoundCorner() const;
    void SetRoundCorner(int Value);
    TskTitleBar* TitleBar() const { return titleBar_; }
    int GetTitleBarHeight() const;
    bool TitleBarCustom() const { return titleBar_ && titleBar_->Custom(); }
    void SetTitleBarCustom(bool Value);
    bool TitleBarDrawAppIcon() const { return titleBar_ && titleBar_->DrawAppIcon(); }
    void SetTitleBarDrawAppIcon(bool Value);
    // The title bar's collections and caption font (null without a title bar).
    TskTitleBarButtons* TitleBarButtons() const { return titleBar_ ? titleBar_->Buttons() : nullptr; }
    TskTitleBarSections* TitleBarSections() const { return titleBar_ ? titleBar_->Sections() : nullptr; }
    TFont* TitleBarFont() const { return titleBar_ ? titleBar_->Font() : nullptr; }
    // Fired with the title bar as Sender when its custom or help buttons are clicked.
    TskTitleBarButtonClickEvent OnTitleBarCustomBtnsClick;
    TskTitleBarButtonClickEvent OnTitleBarHelpBtnClick;

    TCustomPanel* FormPanel() const { return formPanel_; }
    void SetFormPanel(TCustomPanel* Value);

    std::string Version() const { return "5.4"; }
    void SetVersion(const std::string&) {}

    // Menu bar.
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* Value);
    TColor MenuBarColor() const { return menuBarColor_; }
    void SetMenuBarColor(TColor Value);
    int MenuBarHeight() const { return menuBarHeight_; }
    void SetMenuBarHeight(int Value);
    TToolBar* MenuBar() const { return menuBar_; }
    void CreateMenuBar();
    void DestroyMenuBar();
    // Buttons again from the menu's top-level items, in menu order.
    void RebuildMenuBar() override;
    // Caption and enabled state of each item copied to its button.
    void RefreshMenuBarButtons() override;
    // The bar's font from a skinned menu's font choice.
    void UpdateMenuBarFont() override;
    // Result 1 when the key ran a menu item of an active form, else 0.
    void CheckMenuShortCut(TMessage& Message);

    void PaintFormBorder();
    void UpdateFormRegion();
    // Strips the native caption of the hosting form again (for a window
    // that a dialog builds and shows); nothing when it has none.
    void RemoveFormCaption();

    TCustomForm* Form() const { return form_; }

protected:
    void Init() override;
    void BeforeDestruction() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;
    void Resize() override;
    void Dispatch(TMessage& Message) override;

private:
    void FormWindowProc(TMessage& Message);
    void AppMessage(MSG& Msg, bool& Handled);
    void TitleBarCustomClick(TObject* Sender, int ButtonIndex) { OnTitleBarCustomBtnsClick(Sender, ButtonIndex); }
    void TitleBarHelpClick(TObject* Sender, int ButtonIndex) { OnTitleBarHelpBtnClick(Sender, ButtonIndex); }
    void HandleFormSize();
    void ClearFormCaption();
    void RestoreForm();
    void DrawMenuBarButton(TToolBar* Sender, TToolButton* Button, TCustomDrawState State, bool& DefaultDraw);
    void DrawMenuBarBackground(TToolBar* Sender, const TRect& ARect, bool& DefaultDraw);
    // The style and theme the menu bar draws in: the skinned menu's, else the frame's.
    TskUIStyle MenuStyle() const;
    TskFileTheme* MenuTheme() const;
    TskMainMenu* SkinMenu() const { return dynamic_cast<TskMainMenu*>(menu_); }

    TskTitleBar* titleBar_ = nullptr;
    TToolBar* menuBar_ = nullptr;
    TMainMenu* menu_ = nullptr;
    TWndMethod savedWindowProc_;
    TWndMethod ownWindowProc_;
    TCustomForm* form_ = nullptr;
    TColor borderColor_ = 0;
    TCustomPanel* formPanel_ = nullptr;
    int borderWidth_ = 1;
    TskUIStyle uiStyle_ = TskUIStyle::DeepBlue;
    TskFileTheme* fileTheme_ = nullptr;
    TColor menuBarColor_ = clBtnFace;
    int menuBarHeight_ = 22;
    bool ownsAppHook_ = false;
    bool uiStyleAutoUpdateSub_ = false;
    bool releasing_ = false;
    bool hooked_ = false;
    bool placing_ = false;
    TRect creationBounds_{};
    bool startedMaximized_ = false;
    // An MDI child's frame scrolled up over its hidden title bar.
    bool mdiScrolled_ = false;
};
