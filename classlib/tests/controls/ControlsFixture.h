#pragma once
// A shown form to put controls on, and user actions as window messages.

#include "Form.h"
#include "Pump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    template <class T>
    T* Add(TWinControl* Parent, int Left, int Top, int Width, int Height) {
        T* c = Create<T>(form.get());
        c->SetParent(Parent);
        c->SetBounds(Left, Top, Width, Height);
        return c;
    }

    TOwned<TForm> form;
};

// A left click (or a double click: down, up, double-click down, up) at client point X, Y of Window.
void ClickAt(HWND Window, int X, int Y, bool Double = false);
// Characters typed into Window.
void TypeChars(HWND Window, const std::string& Text);
// A key pressed and released while Window has the focus (through the application's loop).
void PressKey(HWND Window, WORD Key);
// The client size of a window.
SIZE ClientSize(HWND Window);
// Records what happens, in order, as text.
struct TRecorder : public TObject {
    std::vector<std::string> Log;
    void Note(const std::string& S) { Log.push_back(S); }
};
