#pragma once
// A form holding one of every standard control, for looking at them.

#include "Form.h"

TForm* CreateControlsDemoForm(TComponent* Owner);
