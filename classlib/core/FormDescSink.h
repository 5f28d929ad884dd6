#pragma once
// Applying a form description. The loader walks the parsed tree and tells a
// sink what to do at each step; the component model implements the sink on
// top of its class registry and run-time property tables. The order of the
// calls is what forms and components rely on:
//
//   1. BeginForm(form), SetName(form), then the form's properties in stored
//      order, then its children, each of them depth first:
//        CreateComponent(object)  the class registry makes the stored class,
//                                 owned by the form, in the loading state
//        SetName(object)
//        SetParent(object, enclosing object)
//                                 before any property of the object is set,
//                                 so a control knows its window parent and a
//                                 page its page control while it reads itself
//        its properties in stored order (see below), then its children.
//   2. After the whole tree: every component reference, in stored order.
//   3. Every event, in stored order, bound by method name to the form.
//   4. Loaded(object) for every object, the form first, then in creation order.
//   5. EndLoading(): the loading state is cleared on every component.
//   6. DoCreate(): the form's OnCreate.
//
// Each property is first classified by the sink (PropertyKind), which knows
// the types from the property tables:
//   Value      set now through its setter (SetProperty); the path may name a
//              sub-property ("Font.Name", "Lines.Strings", "Constraints.MinWidth")
//   Defined    data the component stores beside its published properties
//              (DefineProperties: "SkinData", "Pages", "PageControl"), read now
//   Reference  a component of the form named by an identifier; set in step 2
//   Event      a handler method of the form named by an identifier; step 3
// Collection items are applied by SetProperty as a whole: their properties are
// plain values set in stored order on each new item.
//
// A sink reports a fault of the description by raising EReadError,
// EPropertyError or EConvertError with the fault alone as its message
// ("Unknown property", "Class TFoo not registered", "Invalid property value",
// "'abc' is not a valid integer value"); the loader raises
// EFormDescError in its place, naming the form, object, property and line of
// the fault. Any other exception is a component's own failure (a setter that
// refuses an embedded theme, say): it passes unchanged, so the form's creation
// fails with that exception and its text.

#include "FormDesc.h"

#include <string>

enum class TFormPropertyKind { Value, Defined, Reference, Event };

class TFormSink {
public:
    TFormSink() = default;
    TFormSink(const TFormSink&) = delete;
    TFormSink& operator=(const TFormSink&) = delete;
    virtual ~TFormSink() = default;

    // The form exists already (its class reads its own description when it is
    // created): check that Form.ClassName is its class and start loading.
    virtual void BeginForm(const TFormObject& Form) = 0;
    virtual void CreateComponent(const TFormObject& Object) = 0;
    virtual void SetName(const TFormObject& Object) = 0;
    // Parent is the object that encloses Object in the description: a control's
    // window parent, a menu item's menu or parent item, a page's page control.
    // A component without a parent of its own (a timer, a dialog) ignores it.
    virtual void SetParent(const TFormObject& Object, const TFormObject& Parent) = 0;

    virtual TFormPropertyKind PropertyKind(const TFormObject& Object, const TFormProperty& Property) = 0;
    virtual void SetProperty(const TFormObject& Object, const TFormProperty& Property) = 0;
    virtual void ReadDefinedProperty(const TFormObject& Object, const TFormProperty& Property) = 0;
    virtual void SetReference(const TFormObject& Object, const TFormProperty& Property, const TFormObject& Target) = 0;
    virtual void BindEvent(const TFormObject& Object, const TFormProperty& Property, const std::string& Method) = 0;

    virtual void Loaded(const TFormObject& Object) = 0;
    virtual void EndLoading() = 0;
    virtual void DoCreate() = 0;
};

// Walks Description through Sink in the order above. A reference that names
// no object of the description, or a reference or event whose value is not an
// identifier, is a fault of the description and raises EFormDescError before
// the sink sees it.
void LoadFormDescription(const TFormDescription& Description, TFormSink& Sink);
