#include "ControlsFixture.h"

#include "StdControls.h"

void ControlsTest::SetUp() {
    RegisterStandardControls();
    form = CreateOwned<TForm>();
    form->SetBounds(100, 100, 520, 420);
    form->SetCaption("Controls");
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(form->Handle()) != FALSE; }, 5000));
}

void ControlsTest::TearDown() {
    form.reset();
    PumpFor(20);
}
