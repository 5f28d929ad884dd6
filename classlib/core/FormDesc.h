#pragma once
// The parsed form of a stored form description: a tree of objects, each with
// its class name, its properties in stored order and its child objects.
// The text format is described in FormDescription.md beside this file.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct TFormItem;

enum class TFormValueKind {
    Integer,     // 12, -11, $00DEEBEF
    String,      // "text" (single-byte, escapes already decoded)
    Identifier,  // alClient, True, MainMenu, BuildBtnClick
    Set,         // [akTop, akRight], []
    List,        // ("line one" "line two"), (skTabSheet1 skTabSheet2), ()
    Binary,      // {0A1B2C}
    Collection,  // (item ... end item ... end)
};

// Where something was written: 1-based line and column (columns count bytes).
struct TFormPosition {
    int Line = 0;
    int Column = 0;
};

struct TFormValue {
    TFormValueKind Kind = TFormValueKind::Integer;
    TFormPosition Position;
    std::int64_t Integer = 0;
    // String: the decoded bytes; Identifier: the name.
    std::string Text;
    // Set: the element names in stored order.
    std::vector<std::string> Names;
    // List: the elements (integers, strings or identifiers) in stored order.
    std::vector<TFormValue> Elements;
    std::vector<std::uint8_t> Bytes;
    // Collection: the items in stored order.
    std::vector<TFormItem> Items;
};

struct TFormProperty {
    // The dotted path as written ("Font.Name") and its parts ("Font", "Name").
    std::string Name;
    std::vector<std::string> Path;
    TFormValue Value;
    TFormPosition Position;
};

// One item of a collection: its properties in stored order.
struct TFormItem {
    std::vector<TFormProperty> Properties;
    TFormPosition Position;
};

struct TFormObject {
    std::string Name;
    std::string ClassName;
    TFormPosition Position;
    std::vector<TFormProperty> Properties;
    std::vector<std::unique_ptr<TFormObject>> Children;
    TFormObject* Parent = nullptr;  // the enclosing object; null for the form

    const TFormProperty* FindProperty(const std::string& Path) const;
};

struct TFormDescription {
    // The name the description is known by in messages (its file or resource name).
    std::string FormName;
    std::unique_ptr<TFormObject> Root;

    // The object of that name anywhere in the tree (the form itself included).
    const TFormObject* FindObject(const std::string& Name) const;
};

// Reads a whole description; raises EFormDescError (FormDescError.h) with the
// position of the first fault.
TFormDescription ParseFormDescription(const std::string& Text, const std::string& FormName);
