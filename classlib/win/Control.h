#pragma once
// TControl: the visible component. Every message, from the system or from
// Perform, travels MainWndProc -> WindowProc (a replaceable hook) -> the virtual
// WndProc -> Dispatch (per class, by message number; each class passes what it
// does not handle, or wants handled further, to its base) -> DefaultHandler.

#include "ClassInfo.h"
#include "ControlTypes.h"
#include "Font.h"
#include "GraphicsTypes.h"
#include "SizeConstraints.h"

#include <string>

class TWinControl;
class TCustomForm;
class TCustomAction;

class TControl : public TComponent {
public:
    TControl();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    // The message hook. It starts as this control's WndProc; code may save it,
    // install its own and call (or not call) the saved one.
    TWndMethod WindowProc;
    // Sends a message through WindowProc at once and returns its result.
    LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);

    // Position and size relative to the parent's client area.
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int Value) { SetBounds(Value, top_, width_, height_); }
    void SetTop(int Value) { SetBounds(left_, Value, width_, height_); }
    void SetWidth(int Value) { SetBounds(left_, top_, Value, height_); }
    void SetHeight(int Value) { SetBounds(left_, top_, width_, Value); }
    // Sizes below zero become zero, constraints apply; the same bounds again change nothing.
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
    void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
    virtual TRect ClientRect() const { return Rect(0, 0, width_, height_); }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    void SetClientWidth(int Value);
    void SetClientHeight(int Value);
    TPoint ClientToScreen(TPoint P) const;
    TPoint ScreenToClient(TPoint P) const;
    // The origin of the client area in screen coordinates.
    virtual TPoint ClientOrigin() const;

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* AParent);
    // A control inside a windowed control of a description has it as parent.
    void SetParentComponent(TComponent* Value) override;

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible itself and every parent up to a window that is shown.
    virtual bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool Value);

    TAlign Align() const { return align_; }
    void SetAlign(TAlign Value);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors Value) { anchors_ = Value; }
    TSizeConstraints* Constraints() { return &constraints_; }

    TColor Color() const { return color_; }
    void SetColor(TColor Value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool Value);
    TFont* Font() { return &font_; }
    void SetFont(TFont* Value) { font_.Assign(Value); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool Value);
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor Value);
    // Shown near the pointer when it rests on the control (Hints.h) while
    // the control shows hints: ShowHint, or ParentShowHint and a parent that does.
    std::string Hint;
    bool ShowHint = false;
    bool ParentShowHint = true;
    bool HintsShown() const;
    // The popup menu shown on a right click (a TPopupMenu).
    TComponent* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TComponent* Value);

    // Caption and Text are the same string: captions for labels and panels,
    // text for edits. A change sends CM_TEXTCHANGED.
    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& Value) { SetText(Value); }
    std::string Text() const { return GetText(); }
    void SetText(const std::string& Value);

    bool AutoSize() const { return autoSize_; }
    virtual void SetAutoSize(bool Value);

    TControlStyle ControlStyle;
    TControlState ControlState;

    void BringToFront();
    void SendToBack();
    virtual void Invalidate();
    void Repaint();
    void Refresh() { Repaint(); }
    virtual void Update();

    // Control-level events (the dynamic methods below raise them).
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnResize;

    // Whether the control is under the mouse right now (between CM_MOUSEENTER and CM_MOUSELEAVE).
    bool MouseInControl() const;
    // Whether mouse messages are captured for this control.
    bool MouseCapture() const;
    void SetMouseCapture(bool Value);

    // Runs OnClick, or the linked action when OnClick is not assigned.
    virtual void Click();
    virtual void DblClick();
    void Loaded() override;

    // The action the control is linked to, or null. Linking takes the
    // action's properties at once, and again whenever the action changes.
    TCustomAction* Action() const { return action_; }
    void SetAction(TCustomAction* Value);

protected:
    friend class TCustomAction;
    // The linked action (Sender) changed: the base takes its caption. With
    // CheckDefaults only properties still at their defaults are taken.
    virtual void ActionChange(TObject* Sender, bool CheckDefaults);

    void Notification(TComponent* AComponent, TOperation Operation) override;
    void DestroyOwned() override;
    void BeforeDestruction() override;

    // The message chain.
    void MainWndProc(TMessage& Message);
    virtual void WndProc(TMessage& Message);
    virtual void Dispatch(TMessage& Message);
    virtual void DefaultHandler(TMessage& Message);

    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void Resize();
    // AutoSize support: may change NewWidth/NewHeight and answers whether to resize.
    virtual bool CanAutoSize(int& NewWidth, int& NewHeight);
    void AdjustSize();
    virtual void RequestAlign();
    virtual std::string GetText() const { return text_; }
    virtual void SetTextBuf(const std::string& Value) { text_ = Value; }
    // The text kept in the control (not the window's), read and extended in place.
    const std::string& TextBuf() const { return text_; }
    void AppendTextBuf(const std::string& Tail) { text_ += Tail; }
    // Called when the control's own font or colour changed.
    virtual void FontChanged(TObject* Sender);
    void ConstraintsChanged(TObject* Sender);
    // Takes the parent's font and colour when ParentFont/ParentColor is set.
    void TakeParentFont();
    void TakeParentColor();

    // Forms start hidden; set before anything can observe the flag.
    void InitVisible(bool Value) { visible_ = Value; }

    // Bounds as they are stored; windowed controls also move their window.
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TWinControl* parent_ = nullptr;

private:
    friend class TWinControl;
    void HandleMouseButton(TMessage& Message, TMouseButton Button, bool Down, bool Double);

    bool visible_ = true;
    bool enabled_ = true;
    TAlign align_ = alNone;
    TAnchors anchors_{akLeft, akTop};
    TSizeConstraints constraints_;
    TColor color_ = clWindow;
    bool parentColor_ = true;
    TFont font_;
    bool parentFont_ = true;
    bool takingParentFont_ = false;
    TCursor cursor_ = crDefault;
    TComponent* popupMenu_ = nullptr;
    std::string text_;
    bool autoSize_ = false;
    TCustomAction* action_ = nullptr;
};

// The form that a control sits on, or null.
TCustomForm* GetParentForm(const TControl* Control);

// The control whose mouse enter/leave was last reported (library-wide state).
TControl* CurrentMouseControl();
// Moves the "mouse is over" mark to Control, sending CM_MOUSELEAVE to the old
// one and CM_MOUSEENTER to the new one.
void SetMouseControl(TControl* Control);
