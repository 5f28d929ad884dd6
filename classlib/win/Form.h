#pragma once
// Forms: top-level windows with a caption, border, position and state, focus
// management and keyboard routing for their controls, modal showing and the
// close protocol (OnCloseQuery, then OnClose).

#include "ControlCanvas.h"
#include "Icon.h"
#include "WinControl.h"

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TTileMode { tbHorizontal, tbVertical };

class TMainMenu;

using TCloseEvent = TEvent<TObject*, TCloseAction&>;
using TCloseQueryEvent = TEvent<TObject*, bool&>;

class TCustomForm : public TWinControl {
public:
    TCustomForm();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle Value);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons Value);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition Value) { position_ = Value; }
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle Value);
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState Value);
    // The form's own icon; empty means the program's icon.
    TIcon* Icon() { return &icon_; }
    void SetIcon(TIcon* Value) { icon_.Assign(Value); }

    bool Active() const { return active_; }
    TWinControl* ActiveControl() const { return activeControl_; }
    // Raises EInvalidOperation when the control cannot take the focus.
    void SetActiveControl(TWinControl* Control);
    TModalResult ModalResult() const { return modalResult_; }
    // Ends ShowModal when non-zero; on a form that is not modal it only stores the value.
    void SetModalResult(TModalResult Value) { modalResult_ = Value; }
    bool Modal() const { return modal_; }
    // The menu bar; its commands and owner drawing come through this form.
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* Value);
    // Runs the menu item whose shortcut is this key with the keys held now.
    virtual bool IsShortCut(WPARAM Key);
    TCanvas* Canvas() { return &canvas_; }

    // Accepted from stored descriptions; the library does not scale or scroll forms.
    bool Scaled = false;
    bool AutoScroll = false;
    bool KeyPreview = false;

    void Close();
    virtual bool CloseQuery();
    TModalResult ShowModal();
    // Frees the form once the messages already queued for it are handled.
    void Release();

    void SetVisible(bool Value) override;
    bool Showing() const override { return Visible() && HandleAllocated(); }
    TRect ClientRect() const override;

    // Focus bookkeeping, called by the controls.
    void FocusControl(TWinControl* Control);
    void SetFocusedControl(TWinControl* Control);
    void DefocusControl(TControl* Control, bool Removing);

    // MDI: an fsMDIForm form holds the MDI client window, in the room its
    // aligned controls leave; fsMDIChild forms live in the main form's client.
    HWND ClientHandle() const { return clientHandle_; }
    int MDIChildCount() const;
    // In the client's window order, the active child first.
    TCustomForm* MDIChildren(int Index) const;
    TCustomForm* ActiveMDIChild() const;
    TTileMode TileMode = tbHorizontal;
    void Tile();
    void Cascade();
    // Every message of the MDI client window passes here; the default hands
    // it to the client's own procedure (DefaultClientHandler). A component
    // may put its own hook in, keeping the one it found.
    TWndMethod ClientWindowProc;
    void DefaultClientHandler(TMessage& Message);

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;

protected:
    void Init() override;
    void AfterConstruction() override;
    void BeforeDestruction() override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void DefaultHandler(TMessage& Message) override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void Dispatch(TMessage& Message) override;
    void PaintWindow(HDC DC) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void DoShow() { OnShow(this); }
    virtual void DoHide() { OnHide(this); }
    virtual void DoClose(TCloseAction& Action) { OnClose(this, Action); }

private:
    void StyleBits(DWORD& Style, DWORD& ExStyle) const;
    void PlaceOnFirstShow();
    void CloseModal();
    void SetWindowFocus();
    void StylesChanged();
    void IconChanged(TObject* Sender);
    void AttachMenu();
    void CreateClientWindow();
    std::vector<TCustomForm*> MDIChildList() const;
    friend LRESULT CALLBACK MDIClientWindowProc(HWND, UINT, WPARAM, LPARAM);

    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
    TPosition position_ = poDesigned;
    TFormStyle formStyle_ = fsNormal;
    TWindowState windowState_ = wsNormal;
    TIcon icon_;
    bool active_ = false;
    bool modal_ = false;
    bool placed_ = false;
    TModalResult modalResult_ = mrNone;
    TWinControl* activeControl_ = nullptr;
    TWinControl* focusedControl_ = nullptr;
    TMainMenu* menu_ = nullptr;
    TControlCanvas canvas_;
    HWND clientHandle_ = nullptr;
    WNDPROC savedClientProc_ = nullptr;
};

class TForm : public TCustomForm {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};

// Stand-ins for classes that the skinned library tests for by type; nothing
// here builds frames or actions.
class TCustomFrame : public TWinControl {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};

// The top-level form a control sits on, or null.
TCustomForm* GetParentForm(const TControl* Control);
