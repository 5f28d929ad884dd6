#pragma once
// The tool bar with themed flat buttons: it keeps the tool bar's own layout
// and buttons and changes only how a button looks while the pointer is over
// it, while it is pressed and while it is checked (a face in a theme colour
// with an outline, image and caption placed by List and ShowCaptions, and a
// small arrow with a divider on drop-down buttons). MacOS and Protein bars
// let their parent show through.

#include "FileTheme.h"
#include "ToolBar.h"
#include "UIStyle.h"

#include <string>

class TskToolBar : public TToolBar {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    TskUIStyle UIStyle() const { return uiStyle_; }
    // Reads the three button colours and sets Transparent by the style.
    void SetUIStyle(TskUIStyle Value);
    TskFileTheme* FileTheme() const { return fileTheme_; }
    void SetFileTheme(TskFileTheme* Value);
    // Set by hand, kept until the next style or theme assignment.
    TColor ButtonColor() const { return buttonColor_; }
    void SetButtonColor(TColor Value);
    TColor ButtonBorderColor() const { return buttonBorderColor_; }
    void SetButtonBorderColor(TColor Value);
    TColor ButtonDownColor() const { return buttonDownColor_; }
    void SetButtonDownColor(TColor Value);

protected:
    void Init() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // The bound custom-draw handlers (a stored form may replace them).
    void ToolBarCustomDraw(TToolBar* Sender, const TRect& R, bool& DefaultDraw);
    void ToolBarCustomDrawButton(TToolBar* Sender, TToolButton* Button, TCustomDrawState State, bool& DefaultDraw);
    void DrawButtonHot(TCanvas* Canvas, const TRect& R, bool DropDown, const std::string& Caption, int ImageIndex,
                       TImageList* Images);
    void DrawButtonDown(TCanvas* Canvas, const TRect& R, bool DropDown, const std::string& Caption, int ImageIndex,
                        TImageList* Images);

private:
    void DrawFace(TCanvas* Canvas, const TRect& R, bool DropDown, const std::string& Caption, int ImageIndex,
                  TImageList* Images, TColor Fill, int CaptionTop);

    TskUIStyle uiStyle_ = TskUIStyle::DeepBlue;
    TskFileTheme* fileTheme_ = nullptr;
    TColor buttonColor_ = clBtnFace;
    TColor buttonBorderColor_ = clBlack;
    TColor buttonDownColor_ = clBtnFace;
};
