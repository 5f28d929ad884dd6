#pragma once
// Where a title bar puts its pieces: the three caption pictures, the button
// row growing leftwards from the right edge, the control box (or application
// icon) at the left, and the caption between them, shortened with "..." when
// it does not fit. The same pass is the bar's hit test, so painting and
// clicking can never disagree about which button is under the cursor.

#include "GraphicsTypes.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// What the layout needs to know of one button, in collection order.
struct TskTitleBarButtonBox {
    bool Visible = true;
    bool ControlBox = false;  // drawn at the left instead of in the row
    int Width = 0;            // the size of its normal picture
    int Height = 0;
};

struct TskTitleBarLayoutInput {
    int BarWidth = 0;
    int ButtonTop = 0;
    int ButtonInterval = 0;
    int LeftBtnXOffset = 0;
    int RightBtnXOffset = 0;
    bool DrawAppIcon = false;
    TPoint Mouse;  // in bar coordinates
    std::vector<TskTitleBarButtonBox> Buttons;
};

enum class TskTitleBarButtonFace { Normal, MouseOn, MouseDown };

struct TskTitleBarButtonPlace {
    int Index = -1;  // in the collection
    TRect Rect;      // Right and Bottom are Left + Width and Top + Height, both edges part of the button
    bool operator==(const TskTitleBarButtonPlace&) const = default;
};

struct TskTitleBarLayout {
    // The row buttons in drawing order (rightmost first); the control box is not among them.
    std::vector<TskTitleBarButtonPlace> RowButtons;
    // The last visible control-box button, Index -1 when there is none.
    TskTitleBarButtonPlace ControlBox;
    // Where the 16 x 16 application icon goes (only with DrawAppIcon and a control box).
    bool DrawIcon = false;
    TPoint IconAt;
    // The button under the mouse, -1 for none.
    int HotIndex = -1;
    // The caption runs from CaptionLeft to CaptionRight (the row's left end).
    int CaptionLeft = 0;
    int CaptionRight = 0;
};

TskTitleBarLayout LayOutTitleBar(const TskTitleBarLayoutInput& In);

// The face a button shows: pressed only while the mouse is down on it.
TskTitleBarButtonFace TitleBarButtonFace(bool Hot, bool MousePressed);

// The caption as drawn into Space pixels, given a text measure. A caption
// that fits is drawn whole; a longer one loses characters from its end until
// it fits followed by "...". When not even "..." fits, "..." is drawn clipped
// to Space (Clipped), and with no space at all nothing is drawn.
struct TskTitleBarCaption {
    std::string Text;
    bool Clipped = false;
    bool operator==(const TskTitleBarCaption&) const = default;
};
TskTitleBarCaption FitTitleBarCaption(const std::string& Caption, int Space,
                                      const std::function<int(std::string_view)>& TextWidth);

// y of the caption text: centred on the button pictures, the half rounded toward zero.
int TitleBarCaptionTop(int ButtonTop, int ButtonImageHeight, int TextHeight);

// The three caption pictures: left end at Offset, right end against the
// bar's right edge (mirrored offset), the middle stretched between them. A
// missing picture leaves its end at 0, as the stretch then shows.
struct TskTitleBarSectionPlaces {
    TPoint Left, Right;
    TRect Client;
};
// Offset: (0, 0) on a plain window, (-3, -3) in a skinned form, (-4, -3) in a
// multi-document form: the top rows of the pictures lie in the frame's border.
TPoint TitleBarSectionOffset(bool InSkinnedForm, bool InMDIForm);
TskTitleBarSectionPlaces PlaceTitleBarSections(int BarWidth, TPoint Offset, bool HasLeft, int LeftWidth,
                                               bool HasRight, int RightWidth, int ClientHeight);

// The bar's height from the left picture: the frame's border takes three rows in a skinned form.
int TitleBarHeight(int LeftPictureHeight, bool InSkinnedForm);
