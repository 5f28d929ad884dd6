#pragma once
// Form descriptions carried by the program itself: an RCDATA resource named
// after the form's class (see tessaloom_form_resources in cmake/).

#include "Exceptions.h"
#include "FormReader.h"

#include <string>

class TComponent;

class EResNotFound : public Exception { using Exception::Exception; };

// Whether the program holds a description of that form class.
bool HasFormResource(const std::string& ClassName);
// The description's text; raises EResNotFound "Resource <class> not found".
std::string FormResourceText(const std::string& ClassName);
// Reads Form's description from the program's resources into Form
// (FormReader.h); messages name the form by its class.
void ReadFormResource(TComponent* Form, TOnCreate OnCreate = TOnCreate::Fire);
