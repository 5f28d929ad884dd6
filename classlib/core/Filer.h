#pragma once
// Defined properties: data a persistent object keeps in a stored description
// beside its published properties (an embedded theme file, the order of the
// pages of a page control, the lines of a string list). An object lists them
// in its DefineProperties override; the description reader hands the stored
// value to the matching read procedure.
//
//   void TskPageControl::DefineProperties(TFiler* Filer) {
//       TPageControl::DefineProperties(Filer);
//       Filer->DefineProperty("Pages", [this](TReader& R) { ReadPages(R); });
//   }

#include "Exceptions.h"
#include "FormDesc.h"
#include "Object.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TStream;
class TComponent;

// Reads one stored value of a defined property. A list is read element by
// element between ReadListBegin and ReadListEnd; outside a list each Read
// takes the value itself. A value of another kind than asked raises
// EReadError "Invalid property value".
class TReader {
public:
    TReader(const TFormValue& Value, TComponent* Root) : value_(Value), root_(Root) {}
    TReader(const TReader&) = delete;
    TReader& operator=(const TReader&) = delete;

    // The component the description belongs to (the form).
    TComponent* Root() const { return root_; }

    std::int64_t ReadInteger();
    std::string ReadString();
    // An identifier (enumeration value, component or page name).
    std::string ReadIdent();
    bool ReadBoolean();

    void ReadListBegin();
    bool EndOfList() const;
    void ReadListEnd();

private:
    const TFormValue& Next();

    const TFormValue& value_;
    TComponent* root_;
    bool inList_ = false;
    bool consumed_ = false;
    size_t index_ = 0;
};

using TReaderProc = std::function<void(TReader&)>;
using TStreamProc = std::function<void(TStream&)>;

// Collects the defined properties of one object.
class TFiler {
public:
    TFiler() = default;
    TFiler(const TFiler&) = delete;
    TFiler& operator=(const TFiler&) = delete;

    // Non-binary data read through a TReader.
    void DefineProperty(const std::string& Name, TReaderProc ReadData);
    // A block of bytes read from a stream positioned at its start.
    void DefineBinaryProperty(const std::string& Name, TStreamProc ReadData);

    struct TDefinition {
        std::string Name;
        bool Binary = false;
        TReaderProc Read;
        TStreamProc ReadBinary;
    };
    // The definition of that name (case-insensitive), or null.
    const TDefinition* Find(const std::string& Name) const;

private:
    std::vector<TDefinition> definitions_;
};

// Whether Instance defines a property of that name.
bool HasDefinedProperty(TPersistent* Instance, const std::string& Name);
// Hands Value to Instance's defined property Name. Raises EReadError
// "Unknown property" when there is none, "Invalid property value" when a
// binary property gets text or the other way round.
void ReadDefinedProperty(TPersistent* Instance, const std::string& Name, const TFormValue& Value, TComponent* Root);
