#include "FormDescError.h"
#include "FormDescSink.h"

#include <functional>
#include <vector>

namespace {

struct Deferred {
    const TFormObject* Object;
    const TFormProperty* Property;
};

class Loader {
public:
    Loader(const TFormDescription& d, TFormSink& s) : desc_(d), sink_(s) {}

    void Run() {
        if (!desc_.Root) Fail(nullptr, nullptr, "The description holds no form");
        const TFormObject& form = *desc_.Root;
        Guard(&form, nullptr, [&] { sink_.BeginForm(form); });
        Guard(&form, nullptr, [&] { sink_.SetName(form); });
        created_.push_back(&form);
        ReadBody(form);

        for (const Deferred& r : references_) {
            const TFormValue& v = r.Property->Value;
            if (v.Kind != TFormValueKind::Identifier) Fail(r.Object, r.Property, "Expected a component name");
            const TFormObject* target = desc_.FindObject(v.Text);
            if (!target) Fail(r.Object, r.Property, "Unresolved reference " + v.Text);
            Guard(r.Object, r.Property, [&] { sink_.SetReference(*r.Object, *r.Property, *target); });
        }
        for (const Deferred& e : events_) {
            const TFormValue& v = e.Property->Value;
            if (v.Kind != TFormValueKind::Identifier) Fail(e.Object, e.Property, "Expected a handler name");
            Guard(e.Object, e.Property, [&] { sink_.BindEvent(*e.Object, *e.Property, v.Text); });
        }
        for (const TFormObject* o : created_) Guard(o, nullptr, [&] { sink_.Loaded(*o); });
        Guard(&form, nullptr, [&] { sink_.EndLoading(); });
        Guard(&form, nullptr, [&] { sink_.DoCreate(); });
    }

private:
    void ReadBody(const TFormObject& o) {
        for (const TFormProperty& p : o.Properties) {
            TFormPropertyKind kind{};
            Guard(&o, &p, [&] { kind = sink_.PropertyKind(o, p); });
            switch (kind) {
            case TFormPropertyKind::Value: Guard(&o, &p, [&] { sink_.SetProperty(o, p); }); break;
            case TFormPropertyKind::Defined: Guard(&o, &p, [&] { sink_.ReadDefinedProperty(o, p); }); break;
            case TFormPropertyKind::Reference: references_.push_back({&o, &p}); break;
            case TFormPropertyKind::Event: events_.push_back({&o, &p}); break;
            }
        }
        for (const auto& child : o.Children) {
            const TFormObject& c = *child;
            Guard(&c, nullptr, [&] { sink_.CreateComponent(c); });
            created_.push_back(&c);
            Guard(&c, nullptr, [&] { sink_.SetName(c); });
            Guard(&c, nullptr, [&] { sink_.SetParent(c, o); });
            ReadBody(c);
        }
    }

    [[noreturn]] void Fail(const TFormObject* o, const TFormProperty* p, const std::string& detail) const {
        TFormPosition at = p ? p->Position : o ? o->Position : TFormPosition{};
        throw EFormDescError(desc_.FormName, o ? o->Name : "", p ? p->Name : "", at.Line, at.Column, detail);
    }

    // Runs one sink call; a fault of the description that it reports is
    // raised again with its place. A component's own failure passes as it is.
    void Guard(const TFormObject* o, const TFormProperty* p, const std::function<void()>& call) const {
        try {
            call();
        } catch (const EFormDescError&) {
            throw;
        } catch (const EReadError& e) {
            Fail(o, p, e.Message());
        } catch (const EPropertyError& e) {
            Fail(o, p, e.Message());
        } catch (const EConvertError& e) {
            Fail(o, p, e.Message());
        }
    }

    const TFormDescription& desc_;
    TFormSink& sink_;
    std::vector<const TFormObject*> created_;
    std::vector<Deferred> references_;
    std::vector<Deferred> events_;
};

}  // namespace

void LoadFormDescription(const TFormDescription& Description, TFormSink& Sink) {
    Loader(Description, Sink).Run();
}
