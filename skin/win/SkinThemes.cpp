#include "SkinThemes.h"

#include "Bitmap.h"
#include "ClassInfo.h"
#include "Exceptions.h"
#include "Form.h"
#include "SkinPublic.h"
#include "TypInfo.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<const TClassInfo*>& FrameClasses() {
    static std::vector<const TClassInfo*> classes;
    return classes;
}

}  // namespace

void LoadBuiltInThemeBitmap(TskUIStyle Style, TskThemeKey Key, TBitmap* Bitmap) {
    const char* name = BuiltInThemeImageName(Style, Key);
    if (!Bitmap || !name) return;
    try {
        Bitmap->LoadFromResourceName(nullptr, name);
    } catch (const EInvalidGraphic&) {
        // Every name of the tables is linked into the program; a program
        // built without the art keeps its pictures rather than failing.
    }
}

void LoadBuiltInThemeBitmapFrame(TskUIStyle Style, TskThemeKey Key, TBitmap* Graphic, int Count, int Index) {
    if (!Graphic) return;
    if (Count == 0) {
        LoadBuiltInThemeBitmap(Style, Key, Graphic);
        return;
    }
    TBitmap whole;
    LoadBuiltInThemeBitmap(Style, Key, &whole);
    ExtractBitmapFrame(&whole, Graphic, Count, Index);
}

void RegisterSkinFormFrame(const TClassInfo& FrameClass) {
    auto& classes = FrameClasses();
    if (std::find(classes.begin(), classes.end(), &FrameClass) == classes.end()) classes.push_back(&FrameClass);
}

bool IsSkinFormFrame(const TComponent* Component) {
    const TClassInfo* info = ClassInfoOf(Component);
    if (!info) return false;
    return std::any_of(FrameClasses().begin(), FrameClasses().end(),
                       [info](const TClassInfo* frame) { return info->InheritsFrom(frame); });
}

TskUIStyle GetOwnerFormUIStyle(TComponent* AOwner) {
    auto* form = dynamic_cast<TCustomForm*>(AOwner);
    if (!form) return TskUIStyle::DeepBlue;
    for (int i = 0; i < form->ControlCount(); ++i) {
        TControl* child = form->Controls(i);
        if (IsSkinFormFrame(child) && HasPublishedProperty(child, "UIStyle"))
            return static_cast<TskUIStyle>(GetOrdProp(child, "UIStyle"));
    }
    return TskUIStyle::DeepBlue;
}
