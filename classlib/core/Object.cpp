#include "Object.h"

#include "Exceptions.h"

void TPersistent::Assign(TPersistent* Source) {
    if (Source) {
        Source->AssignTo(this);
        return;
    }
    AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* Dest) {
    const std::string from = this == Dest ? std::string("nil") : ClassName();
    throw EConvertError("Cannot assign a " + from + " to a " + Dest->ClassName());
}
