#pragma once
// The toolbox under every skinned control: stretchable skin pictures
// (nine-grid and three-part), cutting and turning picture frames, painting a
// control's parent behind it, framing a window in one colour, the desktop work
// area, whether a form counts as active, and handing a style to child
// controls. Free functions without state; the arithmetic lives in
// SkinGeometry.h.

#include "Colors.h"
#include "GraphicsTypes.h"
#include "SkinGeometry.h"
#include "TypInfo.h"
#include "UIStyle.h"

#include <string>

class TBitmap;
class TClassInfo;
class TCanvas;
class TControl;
class TCustomForm;
class TObject;
class TPicture;
class TWinControl;
class TskFileTheme;

// Paints Control's parent (background, then its painting) onto Canvas as if
// the parent showed through Control. Without a parent nothing is drawn.
void PaintParentBackground(TCanvas* Canvas, TControl* Control);

// Containers whose own parent shows through a transparent button placed on
// them (a tab sheet; the tool bar and navigator make themselves known): the
// button paints the container's parent, shifted by the container's place.
void RegisterBackgroundContainer(const TClassInfo& ContainerClass);
bool IsBackgroundContainer(const TControl* Control);

// Repeats Picture from the canvas origin until Rect is covered.
void TilePicture(TCanvas* Canvas, TPicture* Picture, const TRect& Rect);

TRect GetDesktopWorkArea();

void MoveControlTo(TControl* Control, TPoint Point);
// Left, Top, Width and Height, set one after the other in that order.
void PlaceControl(TControl* Control, const TRect& Rect);

// One frame of skin art stretched over Rect with unscaled corners. Corners are
// masked with fuchsia when Transparent; edges and centre always are. Tiny
// frames or areas draw only the pieces that fit.
void DrawNineGridBitmap(TBitmap* Bitmap, TCanvas* Canvas, const TRect& Rect, bool Transparent);

// A one-pixel frame in Color round the whole window (non-client area
// included), and one in InnerColor just inside it when DrawInner.
void PaintWindowBorder(TWinControl* Control, TColor Color, TColor InnerColor, bool DrawInner);

// Three equal frames: the caps unscaled at both ends of Rect, masked with the
// top-left pixel's colour (UseCornerPixel) or fuchsia; the middle stretched.
void DrawThreePartBitmap(TBitmap* Bitmap, TCanvas* Canvas, const TRect& Rect, bool UseCornerPixel);

// Quarter turns in place; each undoes the other.
void RotateBitmapCCW(TBitmap* Bitmap);
void RotateBitmapCW(TBitmap* Bitmap);

// HasPublishedProperty (whether a component's class publishes a property of
// that name) comes with the property tables, TypInfo.h.

// Frame Index (from 1) of Count equal-width frames of Source, into Dest
// (Source and Dest may be the same bitmap). Nothing happens for a Count below
// 1 or an Index outside 1..Count.
void ExtractBitmapFrame(TBitmap* Source, TBitmap* Dest, int Count, int Index);

// Whether Form should be painted as the active one (title bar colours). Form
// may be null: it then counts as the application's current form.
bool IsFormActive(TCustomForm* Form);

// Sets "FileTheme", then "UIStyle" on every direct child control of Parent
// that publishes both, by property name.
void ApplyStyleToChildren(TWinControl* Parent, TskUIStyle Style, TskFileTheme* FileTheme);
