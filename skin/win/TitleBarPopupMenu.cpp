#include "TitleBarPopupMenu.h"

#include "Application.h"
#include "Form.h"
#include "TitleBar.h"

namespace {

bool HasVisibleButton(TskTitleBar* Bar, TskTitleBarBtnType Type) {
    if (!Bar) return false;
    for (int i = 0; i < Bar->Buttons()->Count(); ++i) {
        TskTitleBarButton* b = Bar->Buttons()->Items(i);
        if (b->Visible() && b->ButtonType() == Type) return true;
    }
    return false;
}

}  // namespace

const TClassInfo& TskTitleBarPopupMenu::StaticClassInfo() {
    static const TClassInfo info =
        DescribeClass<TskTitleBarPopupMenu, TskPopupMenu>("TskTitleBarPopupMenu", [](auto&) {});
    return info;
}

void TskTitleBarPopupMenu::Init() {
    TskPopupMenu::Init();
    SetAutoHotkeys(maManual);
    auto add = [this](const char* Caption, TNotifyEvent OnClick) {
        auto* item = Create<TMenuItem>(this);
        item->SetCaption(Caption);
        item->OnClick = OnClick;
        Items()->Add(item);
    };
    add(SystemMenuMinimizeCaption, TNotifyEvent::Bind<&TskTitleBarPopupMenu::MinimizeClick>(this));
    add(SystemMenuMaximizeCaption, TNotifyEvent::Bind<&TskTitleBarPopupMenu::MaximizeRestoreClick>(this));
    add("-", TNotifyEvent());
    add(SystemMenuCloseCaption, TNotifyEvent::Bind<&TskTitleBarPopupMenu::CloseClick>(this));
    HookItems();
}

void TskTitleBarPopupMenu::ApplyTitleBarStyle(TskUIStyle Style, TskFileTheme* FileTheme) {
    SetUIStyle(Style);
    SetFileTheme(FileTheme);
}

void TskTitleBarPopupMenu::Popup(int X, int Y) {
    Items()->Items(0)->SetEnabled(HasVisibleButton(TitleBar, TskTitleBarBtnType::skMin));
    Items()->Items(1)->SetEnabled(HasVisibleButton(TitleBar, TskTitleBarBtnType::skMax));
    Items()->Items(3)->SetEnabled(HasVisibleButton(TitleBar, TskTitleBarBtnType::skClose));
    TskPopupMenu::Popup(X, Y);
}

void TskTitleBarPopupMenu::MinimizeClick(TObject*) {
    TCustomForm* form = TitleBar ? TitleBar->ParentForm() : nullptr;
    if (!form) return;
    if (form == Application->MainForm())
        SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    else
        form->SetWindowState(wsMinimized);
}

void TskTitleBarPopupMenu::MaximizeRestoreClick(TObject*) {
    if (!TitleBar) return;
    for (int i = 0; i < TitleBar->Buttons()->Count(); ++i) {
        TskTitleBarButton* b = TitleBar->Buttons()->Items(i);
        if (b->Visible() && b->ButtonType() == TskTitleBarBtnType::skMax) b->DoClick();
    }
}

void TskTitleBarPopupMenu::CloseClick(TObject*) {
    if (TCustomForm* form = TitleBar ? TitleBar->ParentForm() : nullptr) form->Close();
}
