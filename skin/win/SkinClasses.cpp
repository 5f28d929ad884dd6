#include "SkinClasses.h"

#include "FileTheme.h"
#include "FormFrame.h"
#include "MainMenu.h"
#include "PopupMenu.h"
#include "ThemeManager.h"
#include "TitleBar.h"

void RegisterSkinClasses() {
    TskFileTheme::StaticClassInfo();
    TskBuiltInFileTheme::StaticClassInfo();
    TskThemeManager::StaticClassInfo();
    TskForm::StaticClassInfo();
    TskTitleBar::StaticClassInfo();
    TskMainMenu::StaticClassInfo();
    TskPopupMenu::StaticClassInfo();
}
