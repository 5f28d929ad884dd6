#pragma once
// TWinControl: a control with a window of its own. The window is made on first
// need (Handle()), under a window class named after the control's class
// ("TShowForm"), and keeps the object's WindowProc hook across re-creation.
// Its children are painted, hit-tested and aligned by it.

#include "Brush.h"
#include "Control.h"

#include <vector>

struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    WNDCLASSA WindowClass{};
    std::string WinClassName;
};

enum class TNativeColors;  // NativeControl.h

class TWinControl : public TControl {
public:
    TWinControl();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    // The window, made now if it does not exist yet (the parent's first).
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded() { Handle(); }
    // Destroys the window and makes it again (styles changed); the hook stays.
    void RecreateWnd();
    // For a control without a parent control: the window to live in.
    HWND ParentWindow() const { return parentWindow_; }
    void SetParentWindow(HWND Value);

    // Child controls in z-order: the first is at the bottom.
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int Index) const;
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    bool ContainsControl(const TControl* Control) const;
    // The topmost visible, enabled child at P (client coordinates); graphic
    // children only unless AllowWinControls.
    TControl* ControlAtPos(TPoint P, bool AllowDisabled = false, bool AllowWinControls = false) const;
    // Sends Message to every child until one sets a non-zero Result.
    void Broadcast(TMessage& Message);

    // Focus.
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool Value);
    int TabOrder() const;
    void SetTabOrder(int Value);
    virtual bool CanFocus() const;
    // Raises EInvalidOperation when the control cannot take the focus.
    virtual void SetFocus();
    bool Focused() const;
    // Windowed children in tab order (recursively with Deep).
    void GetTabOrderList(std::vector<TWinControl*>& List) const;
    // Moves the focus to the next (or previous) tab stop after CurControl.
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
    TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent) const;

    // A non-client margin around the client area.
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int Value);
    TBrush* Brush() { return &brush_; }

    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetParent(TWinControl* AParent) override;
    void SetVisible(bool Value) override;
    bool Showing() const override;
    void SetEnabled(bool Value) override;
    void Invalidate() override;
    void Update() override;

    // Lays the aligned children out again.
    void Realign();
    void Loaded() override;
    void DisableAlign() { ++alignLevel_; }
    void EnableAlign();
    // Asks for a child to be shown; a page control shows the page it sits on.
    virtual void ShowControl(TControl* AControl);
    // Moves every child (and the window contents) by DeltaX, DeltaY.
    void ScrollBy(int DeltaX, int DeltaY);

    // Paints the children that have no window into DC (client coordinates).
    void PaintControls(HDC DC, TControl* First);
    // A paint request for a window of which nothing shows (wholly covered by
    // siblings, as the pages behind the one in front are) is only marked
    // done: drawing would be clipped away whole. True when so handled.
    bool SkipCoveredPaint();

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;

    // The control that a window belongs to (null for a foreign window).
    static TWinControl* FindControl(HWND Window);

    virtual void DoEnter();
    virtual void DoExit();

protected:
    void BeforeDestruction() override;
    void DestroyOwned() override;
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    void WndProc(TMessage& Message) override;

    virtual void CreateParams(TCreateParams& Params);
    virtual void CreateWnd();
    virtual void CreateHandle();
    virtual void DestroyWnd();
    void DestroyHandle();
    // Makes the window class of Params a superclass of a native class (EDIT,
    // SysListView32): its procedure becomes this control's default handler.
    void CreateSubClass(TCreateParams& Params, const char* ControlClassName);

    // Positions the aligned children inside Rect; Rect shrinks as they take space.
    virtual void AlignControls(TControl* AControl, TRect& Rect);
    virtual void AdjustClientRect(TRect& Rect) { (void)Rect; }
    void RequestAlign() override;
    bool CanAutoSize(int& NewWidth, int& NewHeight) override;
    // WM_PAINT: into the DC in WParam when there is one, else BeginPaint.
    virtual void PaintWindow(HDC DC);
    void PaintHandler(TMessage& Message);
    void FontChanged(TObject* Sender) override;
    std::string GetText() const override;
    void SetTextBuf(const std::string& Value) override;

    virtual bool DoKeyDown(WORD& Key, TShiftState Shift);
    virtual bool DoKeyPress(char& Key);
    virtual void KeyDown(WORD& Key, TShiftState Shift);
    virtual void KeyPress(char& Key);
    virtual void KeyUp(WORD& Key, TShiftState Shift);

    HWND handle_ = nullptr;
    WNDPROC defWndProc_ = DefWindowProcA;

private:
    void FillScrollBarCorner();
    friend class TControl;
    friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
    // The shared cases of the wrapped native controls leave some messages to the native window.
    friend bool DispatchNativeMessage(TWinControl*, TMessage&, TNativeColors);
    void AlignChildren(TControl* AControl);
    void UpdateBoundsFromWindow();
    void TrackMouse(TPoint P);
    void CaptureMouseTarget(TMessage& Message);
    bool ForwardMouseToChild(TMessage& Message);

    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tabList_;
    HWND parentWindow_ = nullptr;
    bool tabStop_ = false;
    int borderWidth_ = 0;
    int alignLevel_ = 0;
    bool alignPending_ = false;
    TSize lastClient_{-1, -1};
    TBrush brush_;
    TControl* captureChild_ = nullptr;
    bool trackingLeave_ = false;
};
