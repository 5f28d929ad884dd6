#pragma once
// Property access by name at run time, through the published tables of
// ClassInfo.h. Names are case-insensitive and may be paths through owned
// sub-objects ("Font.Name", "Constraints.MinWidth"). A name the class does not
// publish raises EPropertyError "Property <name> does not exist".

#include "ClassInfo.h"

#include <cstdint>
#include <string>

// The property Path of Instance and the object that finally holds it.
struct TPropRef {
    TObject* Instance;
    const TPropInfo* Info;
};
TPropRef GetPropInfo(TObject* Instance, const std::string& Path);
// Whether the class of Instance publishes Path; never raises.
bool IsPublishedProp(const TObject* Instance, const std::string& Path);
// The same question asked of a component.
inline bool HasPublishedProperty(const TComponent* Component, const std::string& Name) {
    return Component && IsPublishedProp(Component, Name);
}
TTypeKind PropType(TObject* Instance, const std::string& Path);

// Integer, Boolean, Char, colour, enumeration (as index) and set (as bits).
std::int64_t GetOrdProp(TObject* Instance, const std::string& Path);
void SetOrdProp(TObject* Instance, const std::string& Path, std::int64_t Value);
std::string GetStrProp(TObject* Instance, const std::string& Path);
void SetStrProp(TObject* Instance, const std::string& Path, const std::string& Value);
double GetFloatProp(TObject* Instance, const std::string& Path);
void SetFloatProp(TObject* Instance, const std::string& Path, double Value);
// Component references and sub-objects (setting a sub-object assigns to it).
TObject* GetObjectProp(TObject* Instance, const std::string& Path);
void SetObjectProp(TObject* Instance, const std::string& Path, TObject* Value);

// Enumerations by identifier ("alClient"); sets as "[akTop,akRight]".
std::string GetEnumProp(TObject* Instance, const std::string& Path);
void SetEnumProp(TObject* Instance, const std::string& Path, const std::string& Ident);
std::string GetSetProp(TObject* Instance, const std::string& Path);
void SetSetProp(TObject* Instance, const std::string& Path, const std::string& Text);

// Any scalar property as the text a stored description holds: numbers,
// True/False, identifiers of enumerations, colours ("clBtnFace" or "$00FF00FF")
// and cursors, sets in brackets, strings as they are. Raises EPropertyError
// "Invalid property value" for text the kind does not accept.
std::string GetPropText(TObject* Instance, const std::string& Path);
void SetPropText(TObject* Instance, const std::string& Path, const std::string& Text);

// Binds the event property Path of Instance to the method MethodName published
// by Root's class (the form: OnClick = BuildBtnClick). An empty name clears
// the event. The method must have the event's signature.
void BindEventByName(TObject* Instance, const std::string& Path, TObject* Root, const std::string& MethodName);

// Identifier conversions shared with stored descriptions.
bool IdentToInt(const std::string& Ident, std::int64_t& Value, const TIdentTable& Table);
bool IntToIdent(std::int64_t Value, std::string& Ident, const TIdentTable& Table);
