#pragma once
// The screen object: its size and resolution, the cursors by identifier,
// a cursor that overrides every control's, and the forms that exist.

#include "ClassInfo.h"
#include "ControlTypes.h"

#include <map>
#include <vector>

class TCustomForm;

class TScreen : public TComponent {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
    int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
    int PixelsPerInch() const;
    // The screen minus the task bar.
    RECT WorkArea() const;

    // The cursor for an identifier (crHandPoint...); unknown ones give the arrow.
    HCURSOR Cursors(TCursor Index) const;
    void SetCursors(TCursor Index, HCURSOR Cursor) { custom_[Index] = Cursor; }
    // crDefault lets each control choose; anything else is shown everywhere.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor Value);

    int FormCount() const { return static_cast<int>(forms_.size()); }
    TCustomForm* Forms(int Index) const { return forms_.at(static_cast<size_t>(Index)); }
    TCustomForm* ActiveForm() const;
    void AddForm(TCustomForm* Form);
    void RemoveForm(TCustomForm* Form);

private:
    TCursor cursor_ = crDefault;
    std::map<TCursor, HCURSOR> custom_;
    std::vector<TCustomForm*> forms_;
};

extern TScreen* const Screen;
