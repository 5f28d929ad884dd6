#include "FormReader.h"

#include "Collection.h"
#include "Filer.h"
#include "FormDescSink.h"
#include "TypInfo.h"

#include <map>
#include <vector>

namespace {

[[noreturn]] void InvalidValue() { throw EPropertyError("Invalid property value"); }
[[noreturn]] void UnknownProperty() { throw EPropertyError("Unknown property"); }

// Where a dotted path ends: the object holding its last part and that part.
struct TTarget {
    TObject* Holder = nullptr;
    std::string Last;
    const TPropInfo* Info = nullptr;  // null when Last is a defined property
};

TTarget ResolvePath(TObject* Instance, const std::vector<std::string>& Path) {
    TObject* holder = Instance;
    for (size_t i = 0; i + 1 < Path.size(); ++i) {
        const TClassInfo* info = ClassInfoOf(holder);
        const TPropInfo* p = info ? info->FindProperty(Path[i]) : nullptr;
        if (!p || p->Kind != tkClass || !p->GetObj) UnknownProperty();
        holder = p->GetObj(holder);
        if (!holder) UnknownProperty();
    }
    TTarget t;
    t.Holder = holder;
    t.Last = Path.back();
    const TClassInfo* info = ClassInfoOf(holder);
    t.Info = info ? info->FindProperty(t.Last) : nullptr;
    if (!t.Info && !HasDefinedProperty(dynamic_cast<TPersistent*>(holder), t.Last)) UnknownProperty();
    return t;
}

std::int64_t SetBits(const TPropInfo& p, const std::vector<std::string>& Names) {
    std::int64_t bits = 0;
    for (const std::string& n : Names) {
        size_t i = 0;
        while (i < p.Names.size() && !SameName(p.Names[i], n)) ++i;
        if (i == p.Names.size()) InvalidValue();
        bits |= std::int64_t{1} << i;
    }
    return bits;
}

void SetOrd(const TPropInfo& p, TObject* Holder, std::int64_t Value) {
    if (!p.SetOrd) throw EPropertyError("Property " + p.Name + " is read-only");
    p.SetOrd(Holder, Value);
}

void ApplyCollection(TCollection* Collection, const TFormValue& Value, TComponent* Root);

// Sets one plain value (everything but references and events).
void ApplyValue(TObject* Instance, const std::vector<std::string>& Path, const TFormValue& Value, TComponent* Root) {
    const TTarget t = ResolvePath(Instance, Path);
    if (!t.Info) {
        ReadDefinedProperty(dynamic_cast<TPersistent*>(t.Holder), t.Last, Value, Root);
        return;
    }
    const TPropInfo& p = *t.Info;
    switch (Value.Kind) {
    case TFormValueKind::Integer:
        if (p.Kind == tkInteger || p.Kind == tkColor || p.Kind == tkChar) {
            SetOrd(p, t.Holder, Value.Integer);
            return;
        }
        if (p.Kind == tkFloat && p.SetFloat) {
            p.SetFloat(t.Holder, static_cast<double>(Value.Integer));
            return;
        }
        break;
    case TFormValueKind::String:
        if (p.Kind == tkString) {
            if (!p.SetStr) throw EPropertyError("Property " + p.Name + " is read-only");
            p.SetStr(t.Holder, Value.Text);
            return;
        }
        if (p.Kind == tkChar && Value.Text.size() == 1) {
            SetOrd(p, t.Holder, static_cast<unsigned char>(Value.Text[0]));
            return;
        }
        break;
    case TFormValueKind::Identifier:
        // Booleans, enumerations and named integers (clBtnFace, crHandPoint).
        if (p.Kind == tkBoolean || p.Kind == tkEnumeration || ((p.Kind == tkInteger || p.Kind == tkColor) && p.Idents)) {
            SetPropText(t.Holder, p.Name, Value.Text);
            return;
        }
        break;
    case TFormValueKind::Set:
        if (p.Kind == tkSet) {
            SetOrd(p, t.Holder, SetBits(p, Value.Names));
            return;
        }
        break;
    case TFormValueKind::List:
        // "()" is how an empty collection is written.
        if (p.Kind == tkClass && Value.Elements.empty()) {
            if (auto* c = dynamic_cast<TCollection*>(p.GetObj(t.Holder))) {
                c->Clear();
                return;
            }
        }
        break;
    case TFormValueKind::Collection:
        if (p.Kind == tkClass) {
            if (auto* c = dynamic_cast<TCollection*>(p.GetObj(t.Holder))) {
                ApplyCollection(c, Value, Root);
                return;
            }
        }
        break;
    case TFormValueKind::Binary: break;
    }
    InvalidValue();
}

void ApplyCollection(TCollection* Collection, const TFormValue& Value, TComponent* Root) {
    Collection->BeginUpdate();
    try {
        Collection->Clear();
        for (const TFormItem& item : Value.Items) {
            TCollectionItem* target = Collection->Add();
            for (const TFormProperty& p : item.Properties) {
                const TTarget t = ResolvePath(target, p.Path);
                if (t.Info && (t.Info->Kind == tkComponent || t.Info->Kind == tkEvent))
                    throw EPropertyError("Collection items hold no references or events");
                ApplyValue(target, p.Path, p.Value, Root);
            }
        }
    } catch (...) {
        Collection->EndUpdate();
        throw;
    }
    Collection->EndUpdate();
}

class TComponentSink : public TFormSink {
public:
    TComponentSink(TComponent* Form, TOnCreate OnCreate) : form_(Form), onCreate_(OnCreate) {}

    void BeginForm(const TFormObject& Form) override {
        if (!SameName(Form.ClassName, form_->ClassName()))
            throw EReadError("The description is of class " + Form.ClassName + ", not " + form_->ClassName());
        form_->Loading();
        components_[&Form] = form_;
    }

    void CreateComponent(const TFormObject& Object) override {
        const TClassInfo* info = FindClassInfo(Object.ClassName);
        if (!info || !info->InheritsFrom(&TComponent::StaticClassInfo()))
            throw EReadError("Class " + Object.ClassName + " not found");
        TComponent* c = info->CreateInstance(form_);
        if (!c) throw EReadError("Class " + Object.ClassName + " cannot be created");
        c->Loading();
        components_[&Object] = c;
    }

    void SetName(const TFormObject& Object) override { Of(Object)->SetName(Object.Name); }

    void SetParent(const TFormObject& Object, const TFormObject& Parent) override {
        Of(Object)->SetParentComponent(Of(Parent));
    }

    TFormPropertyKind PropertyKind(const TFormObject& Object, const TFormProperty& Property) override {
        const TTarget t = ResolvePath(Of(Object), Property.Path);
        if (!t.Info) return TFormPropertyKind::Defined;
        if (t.Info->Kind == tkComponent) return TFormPropertyKind::Reference;
        if (t.Info->Kind == tkEvent) return TFormPropertyKind::Event;
        return TFormPropertyKind::Value;
    }

    void SetProperty(const TFormObject& Object, const TFormProperty& Property) override {
        ApplyValue(Of(Object), Property.Path, Property.Value, form_);
    }

    void ReadDefinedProperty(const TFormObject& Object, const TFormProperty& Property) override {
        ApplyValue(Of(Object), Property.Path, Property.Value, form_);
    }

    void SetReference(const TFormObject& Object, const TFormProperty& Property, const TFormObject& Target) override {
        const TTarget t = ResolvePath(Of(Object), Property.Path);
        TComponent* target = Of(Target);
        if (!t.Info->SetObj || (t.Info->AcceptsObj && !t.Info->AcceptsObj(target)))
            throw EPropertyError("Invalid property value");
        t.Info->SetObj(t.Holder, target);
    }

    void BindEvent(const TFormObject& Object, const TFormProperty& Property, const std::string& Method) override {
        const TTarget t = ResolvePath(Of(Object), Property.Path);
        BindEventByName(t.Holder, t.Last, form_, Method);
    }

    void Loaded(const TFormObject& Object) override { Of(Object)->Loaded(); }

    void EndLoading() override {
        // Loaded() of a component that does not call its base leaves the mark.
        for (auto& [object, component] : components_) ClearLoading(component);
    }

    void DoCreate() override {
        if (onCreate_ == TOnCreate::Leave) return;
        const TClassInfo* info = ClassInfoOf(form_);
        const TPropInfo* p = info ? info->FindProperty("OnCreate") : nullptr;
        if (p && p->Kind == tkEvent && p->EventType == typeid(TNotifyEvent))
            (*static_cast<TNotifyEvent*>(p->EventField(form_)))(form_);
    }

private:
    static void ClearLoading(TComponent* c) {
        if (c->ComponentState().Contains(csLoading)) c->TComponent::Loaded();
    }

    TComponent* Of(const TFormObject& Object) const { return components_.at(&Object); }

    TComponent* form_;
    TOnCreate onCreate_;
    std::map<const TFormObject*, TComponent*> components_;
};

}  // namespace

void ReadFormDescription(TComponent* Form, const TFormDescription& Description, TOnCreate OnCreate) {
    TComponentSink sink(Form, OnCreate);
    LoadFormDescription(Description, sink);
}

void ReadFormDescriptionText(TComponent* Form, const std::string& Text, const std::string& FormName,
                             TOnCreate OnCreate) {
    ReadFormDescription(Form, ParseFormDescription(Text, FormName), OnCreate);
}
