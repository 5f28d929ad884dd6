#include "SkinClasses.h"

#include "FileTheme.h"
#include "FlatPanel.h"
#include "SkinButtons.h"
#include "SkinCheckBox.h"
#include "SkinEdit.h"
#include "SkinGroupBox.h"
#include "SkinImagePanel.h"
#include "SkinListView.h"
#include "SkinMemo.h"
#include "SkinPageControl.h"
#include "SkinScrollBar.h"
#include "SkinToolBar.h"
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
    TskButton::StaticClassInfo();
    TskImageButton::StaticClassInfo();
    TskCheckBox::StaticClassInfo();
    TskToolBar::StaticClassInfo();
    TskImagePanel::StaticClassInfo();
    TFlatPanel::StaticClassInfo();
    TskGroupBox::StaticClassInfo();
    TskEdit::StaticClassInfo();
    TskNumberEdit::StaticClassInfo();
    TskPageControl::StaticClassInfo();
    TskTabSheet::StaticClassInfo();
    TskTrackBar::StaticClassInfo();
    TskScrollTrackBar::StaticClassInfo();
    TskScrollBar::StaticClassInfo();
    TskMemo::StaticClassInfo();
    TskListView::StaticClassInfo();
}
