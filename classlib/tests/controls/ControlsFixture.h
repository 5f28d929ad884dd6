#pragma once
// A shown form to put controls on, and user actions as window messages.

#include "Form.h"
#include "Pump.h"
#include "UserInput.h"

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

// Records what happens, in order, as text.
struct TRecorder : public TObject {
    std::vector<std::string> Log;
    void Note(const std::string& S) { Log.push_back(S); }
};
