#include "MainMenu.h"

#include "Bitmap.h"
#include "Exceptions.h"
#include "Form.h"
#include "ImageList.h"
#include "SkinThemes.h"
#include "TypInfo.h"

const TClassInfo& TskMainMenu::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskMainMenu, TMainMenu>("TskMainMenu", [](auto& c) {
        c.template Reference<TImageList>("Images", &TskMainMenu::Images, &TskMainMenu::SetImages);
        c.Bool("OwnerDraw", &TskMainMenu::OwnerDraw, &TskMainMenu::SetOwnerDraw);
        PublishMenuLook<TskMainMenu>(c);
    });
    return info;
}

TskMainMenu::~TskMainMenu() = default;

void TskMainMenu::Init() {
    TMainMenu::Init();
    checkImages_.reset(Create<TImageList>(nullptr, 16, 16));
    try {
        TBitmap mark;
        mark.LoadFromResourceName(nullptr, "MENU_CHECKED");
        checkImages_->AddMasked(&mark, 0x00FFFFFF);
    } catch (const EInvalidGraphic&) {
        // Without the art the list stays empty and no mark is drawn.
    }
    TMainMenu::SetImages(checkImages_.get());
    TMainMenu::SetOwnerDraw(true);
    SetUIStyle(GetOwnerFormUIStyle(Owner()));
}

void TskMainMenu::AfterConstruction() {
    TMainMenu::AfterConstruction();
    auto* form = dynamic_cast<TCustomForm*>(Owner());
    if (!form) return;
    form->SetMenu(nullptr);
    for (int i = 0; i < form->ControlCount(); ++i) {
        TControl* child = form->Controls(i);
        if (!IsSkinFormFrame(child)) continue;
        if (HasPublishedProperty(child, "Menu")) SetObjectProp(child, "Menu", this);
        break;
    }
}

void TskMainMenu::BeforeDestruction() {
    UnhookOwnerItems();
    if (TImageList* user = Images()) user->RemoveFreeNotification(this);
    TMainMenu::BeforeDestruction();
}

TImageList* TskMainMenu::Images() const {
    TImageList* list = TMainMenu::Images();
    return list == checkImages_.get() ? nullptr : list;
}

void TskMainMenu::SetImages(TImageList* Value) {
    if (TImageList* user = Images(); user && user != Value) user->RemoveFreeNotification(this);
    if (Value) Value->FreeNotification(this);
    TMainMenu::SetImages(Value ? Value : checkImages_.get());
}

TImageList* TskMainMenu::ItemCheckImages() const { return checkImages_.get(); }

void TskMainMenu::UseSystemFontChanged() {
    if (linkedForm_) linkedForm_->UpdateMenuBarFont();
}

void TskMainMenu::HookAllItems() {
    for (int i = 0; i < Items()->Count(); ++i) HookItem(Items()->Items(i));
    if (linkedForm_) linkedForm_->RebuildMenuBar();
}

void TskMainMenu::MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild) {
    TMainMenu::MenuChanged(Sender, Source, Rebuild);
    const TComponentState state = ComponentState();
    if (state.Contains(csDestroying) || !dynamic_cast<TCustomForm*>(Owner()) || !linkedForm_) return;
    linkedForm_->RefreshMenuBarButtons();
    if (state.Contains(csDesigning) && !state.Contains(csLoading)) linkedForm_->RebuildMenuBar();
}

void TskMainMenu::Loaded() {
    TMainMenu::Loaded();
    HookAllItems();
}

void TskMainMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TMainMenu::Notification(AComponent, Operation);
    if (Operation == opRemove) {
        ThemeRemoved(AComponent);
        if (AComponent && AComponent == Images()) TMainMenu::SetImages(checkImages_.get());
        if (linkedForm_ && dynamic_cast<TskMenuBarHost*>(AComponent) == linkedForm_) linkedForm_ = nullptr;
    }
    if (Operation == opInsert)
        if (auto* item = dynamic_cast<TMenuItem*>(AComponent)) HookItem(item);
}
