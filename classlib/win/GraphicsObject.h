#pragma once
// Base of fonts, pens and brushes: a description whose GDI object is made on
// first use and remade after every change. A canvas listens to OnChange to take
// the old object out of its device context before the object is deleted.

#include "GraphicsHandles.h"
#include "Object.h"

class TGraphicsObject : public TPersistent {
public:
    std::string ClassName() const override { return "TGraphicsObject"; }
    TNotifyEvent OnChange;

protected:
    // Deletes the GDI object only after the listeners have deselected it.
    void Changed(TGdiObject<HGDIOBJ>& Handle) {
        TGdiObject<HGDIOBJ> retired = std::move(Handle);
        OnChange(this);
    }
};
