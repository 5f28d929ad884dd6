#pragma once
// Applies a stored form description to a form through the component model:
// the class registry creates the stored components (owned by the form), the
// run-time property tables set their properties by name, DefineProperties
// reads the data kept beside them, references and events are resolved by
// name once the whole form exists. The order and the faults are those of
// FormDescSink.h.
//
// The form's class calls this while it is being created, with itself as
// Form; the description's root class must be the form's class. After loading
// the form's published OnCreate (a TNotifyEvent), if it has one, fires, unless
// the caller fires it itself (a form does, once its whole creation is done).

#include "FormDesc.h"

#include <string>

class TComponent;

enum class TOnCreate { Fire, Leave };

void ReadFormDescription(TComponent* Form, const TFormDescription& Description, TOnCreate OnCreate = TOnCreate::Fire);
// Parses Text (known as FormName in messages), then applies it.
void ReadFormDescriptionText(TComponent* Form, const std::string& Text, const std::string& FormName,
                             TOnCreate OnCreate = TOnCreate::Fire);
