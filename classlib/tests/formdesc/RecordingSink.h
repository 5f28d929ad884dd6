#pragma once
// A sink that applies nothing and writes down every call, so tests can check
// the order in which a description is walked. Property kinds come from a small
// table standing in for the run-time property tables.

#include "Exceptions.h"
#include "FormDescSink.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

class TRecordingSink : public TFormSink {
public:
    std::vector<std::string> Calls;
    std::set<std::string> References{"Menu", "ActivePage", "PopupMenu", "LargeImages", "Images", "FileTheme"};
    std::set<std::string> Defined{"SkinData", "Pages", "PageControl"};
    // Runs before each call is written down, with the call's text; a test may
    // raise from it to play a failing component.
    std::function<void(const std::string&)> Hook;

    void BeginForm(const TFormObject& f) override { Record("form " + f.ClassName); }
    void CreateComponent(const TFormObject& o) override { Record("create " + o.ClassName); }
    void SetName(const TFormObject& o) override { Record("name " + o.Name); }
    void SetParent(const TFormObject& o, const TFormObject& p) override { Record("parent " + o.Name + " " + p.Name); }

    TFormPropertyKind PropertyKind(const TFormObject&, const TFormProperty& p) override {
        const std::string& last = p.Path.back();
        if (References.count(last)) return TFormPropertyKind::Reference;
        if (Defined.count(last)) return TFormPropertyKind::Defined;
        if (last.rfind("On", 0) == 0) return TFormPropertyKind::Event;
        return TFormPropertyKind::Value;
    }
    void SetProperty(const TFormObject& o, const TFormProperty& p) override { Record("set " + o.Name + "." + p.Name); }
    void ReadDefinedProperty(const TFormObject& o, const TFormProperty& p) override {
        Record("define " + o.Name + "." + p.Name);
    }
    void SetReference(const TFormObject& o, const TFormProperty& p, const TFormObject& t) override {
        Record("reference " + o.Name + "." + p.Name + " " + t.Name);
    }
    void BindEvent(const TFormObject& o, const TFormProperty& p, const std::string& m) override {
        Record("event " + o.Name + "." + p.Name + " " + m);
    }
    void Loaded(const TFormObject& o) override { Record("loaded " + o.Name); }
    void EndLoading() override { Record("end loading"); }
    void DoCreate() override { Record("OnCreate"); }

private:
    void Record(const std::string& call) {
        if (Hook) Hook(call);
        Calls.push_back(call);
    }
};
