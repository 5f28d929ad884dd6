#pragma once
// The title bar's system menu: minimise, maximise/restore and close for the
// bar's form, each offered only while the bar shows the matching button.

#include "PopupMenu.h"
#include "UIStyle.h"

class TskFileTheme;
class TskTitleBar;

class TskTitleBarPopupMenu : public TskPopupMenu {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    // Set by the bar right after it makes the menu.
    TskTitleBar* TitleBar = nullptr;

    // The bar hands on its style and theme whenever it applies them.
    void ApplyTitleBarStyle(TskUIStyle Style, TskFileTheme* FileTheme);

    // Enables the items by the bar's visible buttons, then shows the menu.
    void Popup(int X, int Y) override;

    void MinimizeClick(TObject* Sender);
    void MaximizeRestoreClick(TObject* Sender);
    void CloseClick(TObject* Sender);

protected:
    void Init() override;
};

// The items' captions.
inline constexpr const char* SystemMenuMinimizeCaption = "Mi&nimize";
inline constexpr const char* SystemMenuMaximizeCaption = "Ma&ximize/Restore";
inline constexpr const char* SystemMenuCloseCaption = "&Close";
