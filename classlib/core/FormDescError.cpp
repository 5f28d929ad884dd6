#include "FormDescError.h"

#include <utility>

namespace {

std::string Compose(const std::string& form, const std::string& object, const std::string& property,
                    int line, int column, const std::string& detail) {
    std::string m = "Error in form " + form;
    if (!object.empty()) m += ", object " + object;
    if (!property.empty()) m += ", property " + property;
    if (line > 0) {
        m += " at line " + std::to_string(line);
        if (column > 0) m += ", column " + std::to_string(column);
    }
    return m + ": " + detail;
}

}  // namespace

EFormDescError::EFormDescError(std::string FormName, std::string ObjectName, std::string PropertyName,
                               int Line, int Column, std::string Detail)
    : EReadError(Compose(FormName, ObjectName, PropertyName, Line, Column, Detail)),
      formName_(std::move(FormName)),
      objectName_(std::move(ObjectName)),
      propertyName_(std::move(PropertyName)),
      line_(Line),
      column_(Column),
      detail_(std::move(Detail)) {}
