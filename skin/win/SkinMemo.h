#pragma once
// The skinned memo: a native memo without its own border, framed in the
// style's control border colour, which can carry two skinned scroll bars
// placed over its right and bottom edges. The native bars stay switched on
// exactly where a skinned bar is attached; their state is copied into the
// skinned bars after everything that can scroll, and a skinned bar's change
// becomes a native scroll of the memo.

#include "AttachedScrollBars.h"
#include "FileTheme.h"
#include "Memo.h"
#include "SkinScrollBar.h"
#include "UIStyle.h"

class TskMemo : public TCustomMemo {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    TskFileTheme* FileTheme() const { return fileTheme_; }
    void SetFileTheme(TskFileTheme* Value);
    TskUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TskUIStyle Value);
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor Value);
    TskScrollBar* VScrollBar() const { return bars_.Vertical(); }
    void SetVScrollBar(TskScrollBar* Value);
    TskScrollBar* HScrollBar() const { return bars_.Horizontal(); }
    void SetHScrollBar(TskScrollBar* Value);

    bool Syncing() const { return syncing_; }
    bool ScrollingFromBar() const { return scrollingFromBar_; }

    void UpdateNativeScrollBars();
    void SyncScrollBars();
    void PlaceScrollBars();

protected:
    void Init() override;
    void CreateParams(TCreateParams& Params) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;

private:
    void VScrollBarChange(TObject* Sender);
    void HScrollBarChange(TObject* Sender);
    void AttachBar(TskProgressBarOrientation Side, TskScrollBar* Value, const TNotifyEvent& Change);
    void PaintFrame();

    TColor borderColor_ = clBlack;
    bool mouseIsDown_ = false;
    TskUIStyle uiStyle_ = TskUIStyle::DeepBlue;
    TskFileTheme* fileTheme_ = nullptr;
    TskAttachedScrollBars bars_{this, TskAttachedScrollBars::TVisibility::ByPlacement};
    bool syncing_ = false;
    bool scrollingFromBar_ = false;
};
