#pragma once
// A small form built in code: a header panel with a caption, a label that
// counts timer ticks, and a lowered status panel at the bottom.

#include "Form.h"
#include "Label.h"
#include "Panel.h"
#include "Timer.h"

class TDemoForm : public TForm {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    TPanel* Header = nullptr;
    TPanel* Status = nullptr;
    TLabel* TickLabel = nullptr;
    TLabel* Note = nullptr;
    TTimer* Ticker = nullptr;
    int Ticks = 0;

    static constexpr COLORREF HeaderColour = RGB(0x1F, 0x4E, 0x79);

protected:
    void Init() override;

private:
    void TickerTimer(TObject* Sender);
};
