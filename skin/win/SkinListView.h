#pragma once
// The skinned list view: a native list view without its own border, framed
// in the style's control border colour, which can carry two skinned scroll
// bars placed over its right and bottom edges. Unlike the memo it never
// switches the native bars: a skinned bar whose native bar is not in use is
// hidden, and a bar's change scrolls the list by that change (by rows in the
// report view). Nothing is placed or synced while the form is loading.

#include "AttachedScrollBars.h"
#include "FileTheme.h"
#include "ListView.h"
#include "SkinScrollBar.h"
#include "UIStyle.h"

class TskListView : public TCustomListView {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    TskFileTheme* FileTheme() const { return fileTheme_; }
    // The attached bars keep their own file theme.
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
    bool IsLoading() const { return ComponentState().Contains(csLoading); }

    TColor borderColor_ = clBlack;
    TskUIStyle uiStyle_ = TskUIStyle::DeepBlue;
    TskFileTheme* fileTheme_ = nullptr;
    TskAttachedScrollBars bars_{this, TskAttachedScrollBars::TVisibility::ByNativeBar};
    bool mouseIsDown_ = false;
    bool syncing_ = false;
};
