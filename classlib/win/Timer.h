#pragma once
// TTimer: a window timer on the GUI thread. Changing Interval or Enabled
// restarts it (also from inside OnTimer), and a tick handler may free the
// timer. A timer needs no owner.

#include "ClassInfo.h"
#include "ControlTypes.h"

class TTimer : public TComponent {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool Value);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned Value);
    TNotifyEvent OnTimer;

protected:
    void Init() override;
    void BeforeDestruction() override;
    void Loaded() override;
    virtual void Timer() { OnTimer(this); }

private:
    friend LRESULT CALLBACK TimerWindowProc(HWND, UINT, WPARAM, LPARAM);
    void UpdateTimer();

    bool enabled_ = true;
    unsigned interval_ = 1000;
    HWND window_ = nullptr;
};
