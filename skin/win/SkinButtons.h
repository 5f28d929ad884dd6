#pragma once
// The skinned buttons. TskCustomButton holds the whole button behaviour: the
// pointer-over and pressed states, the repeat event while the left button is
// held, pressing with Space and Enter, the default and cancel roles,
// accelerators, the modal result, and a double-buffered paint that asks a row
// of virtual operations for the frame picture, the frame, the focus mark and
// the caption. TskButton is the themed push button (three-frame theme picture
// stretched with fixed corners, plus a glyph); TskImageButton draws four
// pictures of its own; TskToolBarSpeedButton is a small flat glyph panel.

#include "Bitmap.h"
#include "ButtonGeometry.h"
#include "CustomControl.h"
#include "FileTheme.h"
#include "Panel.h"
#include "Picture.h"
#include "Timer.h"
#include "UIStyle.h"

#include <string>

class TskCustomButton : public TCustomControl {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    // The caption is kept in step with the control text both ways.
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& Value);
    void SetAutoSize(bool Value) override;
    bool Cancel = false;
    bool Default() const { return default_; }
    // Tells the parent form, so that every button decides again which one answers Enter.
    void SetDefault(bool Value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool Value);
    // Copied to the parent form on every click, 0 included.
    TModalResult ModalResult = mrNone;
    TskUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TskUIStyle Value);
    TskFileTheme* FileTheme() const { return fileTheme_; }
    void SetFileTheme(TskFileTheme* Value);
    int FocusedRectMargin() const { return focusedRectMargin_; }
    void SetFocusedRectMargin(int Value);
    // Period of OnMouseContinuouslyDown while the left button is held; a
    // negative value counts as 0 (no repeat).
    int MouseContinuouslyDownInterval = 100;

    bool MouseOver() const { return mouseOver_; }
    bool Pressed() const { return pressed_; }
    // Whether Enter clicks this button now.
    bool ActiveDefault() const { return activeDefault_; }
    // The repeat timer exists only while the left button is held.
    bool Repeating() const { return repeatTimer_ != nullptr; }

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseExit;
    TNotifyEvent OnMouseContinuouslyDown;

    void SetEnabled(bool Value) override;
    void Click() override;

protected:
    void Init() override;
    void BeforeDestruction() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void ActionChange(TObject* Sender, bool CheckDefaults) override;

    // The steps a subclass fills in.
    virtual void AdjustAutoSize();
    virtual void CaptionChanged() {}
    using TCustomControl::FontChanged;
    virtual void FontChanged();
    virtual void TransparentChanged();
    virtual void EnabledChanged() {}
    virtual void UIStyleChanged() {}
    virtual void DrawFrame(TCanvas* Canvas, TBitmap* Frame);
    virtual void DrawCaption(TCanvas* Canvas, const std::string& Text);
    virtual void DrawFocus(TCanvas* Canvas);
    virtual void GetPicNormal(TBitmap* Frame);
    virtual void GetPicMouseOn(TBitmap* Frame);
    virtual void GetPicMouseDown(TBitmap* Frame);
    virtual void GetPicDisabled(TBitmap* Frame);

    // Frame K of 3 of the theme's button picture, from the file theme or the
    // built-in tables as the style decides.
    void GetThemeButtonFrame(TBitmap* Frame, int K);

    bool BoldCaptionOnce = false;
    bool FrameTransparent = false;

private:
    void RepeatTimerTick(TObject* Sender);
    void FreeRepeatTimer();
    // The control whose parent paints behind a transparent button.
    TControl* BackgroundSource();

    std::string caption_;
    bool default_ = false;
    bool transparent_ = false;
    TskUIStyle uiStyle_ = TskUIStyle::DeepBlue;
    TskFileTheme* fileTheme_ = nullptr;
    int focusedRectMargin_ = 2;
    bool activeDefault_ = false;
    bool mouseOver_ = false;
    bool pressed_ = false;
    // Made without owner on a left press; freed by the click that ends the
    // press, by the pointer leaving, or with the button.
    TOwned<TTimer> repeatTimer_;
};

class TskButton : public TskCustomButton {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    TBitmap* Glyph() { return &glyph_; }
    void SetGlyph(TBitmap* Value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout Value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int Value);
    // Where the caption went on the last paint with a glyph.
    TPoint CaptionPos() const { return captionPos_; }

protected:
    void Init() override;
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
    void UIStyleChanged() override;
    void DrawFrame(TCanvas* Canvas, TBitmap* Frame) override;
    void DrawCaption(TCanvas* Canvas, const std::string& Text) override;
    void DrawFocus(TCanvas* Canvas) override;

private:
    TBitmap glyph_;
    TButtonLayout layout_ = blGlyphLeft;
    TPoint captionPos_;
    int spacing_ = 4;
};

class TskImageButton : public TskCustomButton {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    TPicture* PicNormal() { return &picNormal_; }
    TPicture* PicMouseOn() { return &picMouseOn_; }
    TPicture* PicMouseDown() { return &picMouseDown_; }
    TPicture* PicDisabled() { return &picDisabled_; }
    void SetPicNormal(TPicture* Value) { SetPicture(picNormal_, Value); }
    void SetPicMouseOn(TPicture* Value) { SetPicture(picMouseOn_, Value); }
    void SetPicMouseDown(TPicture* Value) { SetPicture(picMouseDown_, Value); }
    void SetPicDisabled(TPicture* Value) { SetPicture(picDisabled_, Value); }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool Value);
    bool DrawFocused() const { return drawFocused_; }
    void SetDrawFocused(bool Value);

protected:
    void AdjustAutoSize() override;
    void DrawFrame(TCanvas* Canvas, TBitmap* Frame) override;
    void DrawFocus(TCanvas* Canvas) override;
    void GetPicNormal(TBitmap* Frame) override;
    void GetPicMouseOn(TBitmap* Frame) override;
    void GetPicMouseDown(TBitmap* Frame) override;
    void GetPicDisabled(TBitmap* Frame) override;

private:
    void SetPicture(TPicture& Target, TPicture* Value);
    // Own picture when it holds a graphic, else PicNormal's; raises when the
    // graphic is no bitmap.
    void CopyPicture(TPicture& Own, TBitmap* Frame);

    TPicture picNormal_, picMouseOn_, picMouseDown_, picDisabled_;
    bool stretch_ = false;
    bool drawFocused_ = false;
};

class TskToolBarSpeedButton : public TCustomPanel {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    TBitmap* Glyph() { return &glyph_; }
    // Takes a copy; shows at the next paint.
    void SetGlyph(TBitmap* Value) { glyph_.Assign(Value); }
    bool MouseOver() const { return mouseOver_; }

protected:
    void Init() override;
    void Dispatch(TMessage& Message) override;
    void Paint() override;

private:
    TBitmap glyph_;
    bool mouseOver_ = false;
};
