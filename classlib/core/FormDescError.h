#pragma once
// A fault in a stored form description, found while reading its text or while
// applying it to the form. The message names the form, the object and the
// property where they are known, and the position:
//   Error in form MainForm, object TitleEdit, property Font.Nmae at line 12, column 5: Unknown property
// The parts are kept as fields too, so a caller can tell them apart.

#include "Exceptions.h"

#include <string>

class EFormDescError : public EReadError {
public:
    EFormDescError(std::string FormName, std::string ObjectName, std::string PropertyName,
                   int Line, int Column, std::string Detail);

    const std::string& FormName() const { return formName_; }
    const std::string& ObjectName() const { return objectName_; }
    const std::string& PropertyName() const { return propertyName_; }
    int Line() const { return line_; }
    int Column() const { return column_; }
    // The fault alone, without the place ("Unknown property").
    const std::string& Detail() const { return detail_; }

private:
    std::string formName_;
    std::string objectName_;
    std::string propertyName_;
    int line_;
    int column_;
    std::string detail_;
};
