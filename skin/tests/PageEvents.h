#pragma once
// Event recording for the page control tests: small handlers that append one
// line per event to a log, so that a test's expected order is one table.

#include "SkinPageControl.h"

#include "Form.h"

#include <string>
#include <vector>

class TPageEventLog {
public:
    explicit TPageEventLog(TCustomForm* Form = nullptr) : form_(Form) {}

    // OnShow and OnHide of Sheet; OnShow also notes the focused control and
    // OnHide whether the page was already disabled.
    void Watch(TskTabSheet* Sheet) {
        Sheet->OnShow = TNotifyEvent::Bind<&TPageEventLog::Show>(this);
        Sheet->OnHide = TNotifyEvent::Bind<&TPageEventLog::Hide>(this);
    }
    void Watch(TskTab* Tab) {
        Tab->OnTabActive = TTabActiveNotify::Bind<&TPageEventLog::TabActive>(this);
        Tab->OnChange = TNotifyEvent::Bind<&TPageEventLog::Change>(this);
        Tab->OnChanging = TTabChangingEvent::Bind<&TPageEventLog::Changing>(this);
    }

    // A click on the strip reaches the tab control's OnClick, with the tab
    // control as Sender.
    void WatchClicks(TskTab* Tab) { Tab->OnClick = TNotifyEvent::Bind<&TPageEventLog::Click>(this); }

    std::vector<std::string> Lines;
    bool AllowChange = true;
    bool NoteFocus = false;

private:
    static std::string NameOf(TObject* Sender) { return static_cast<TComponent*>(Sender)->Name(); }
    void Show(TObject* Sender) {
        std::string line = "show " + NameOf(Sender);
        if (NoteFocus && form_)
            line += " focus " + (form_->ActiveControl() ? form_->ActiveControl()->Name() : std::string("none"));
        Lines.push_back(line);
    }
    void Hide(TObject* Sender) {
        Lines.push_back("hide " + NameOf(Sender) +
                        (static_cast<TControl*>(Sender)->Enabled() ? " enabled" : " disabled"));
    }
    void TabActive(TObject*, int Index) { Lines.push_back("tab active " + std::to_string(Index)); }
    void Click(TObject* Sender) { Lines.push_back("click " + NameOf(Sender)); }
    void Change(TObject*) { Lines.push_back("change"); }
    void Changing(TObject*, bool& Allow) {
        Lines.push_back("changing");
        Allow = AllowChange;
    }

    TCustomForm* form_;
};
