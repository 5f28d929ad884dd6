#include "DemoForm.h"

const TClassInfo& TDemoForm::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TDemoForm, TForm>("TDemoForm", [](auto& c) {
        c.template Handler<&TDemoForm::TickerTimer>("TickerTimer");
    });
    return info;
}

void TDemoForm::Init() {
    TForm::Init();
    SetCaption("Tessaloom class library");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(360);
    SetClientHeight(200);

    Header = Create<TPanel>(this);
    Header->SetName("Header");
    Header->SetParent(this);
    Header->SetAlign(alTop);
    Header->SetHeight(48);
    Header->SetBevelOuter(bvNone);
    Header->SetColor(static_cast<TColor>(HeaderColour));
    Header->SetCaption("Panels, labels and a timer");
    Header->Font()->SetColor(clWhite);
    Header->Font()->SetHeight(-16);
    Header->Font()->SetStyle({fsBold});

    Status = Create<TPanel>(this);
    Status->SetName("Status");
    Status->SetParent(this);
    Status->SetAlign(alBottom);
    Status->SetHeight(26);
    Status->SetBevelOuter(bvLowered);
    Status->SetBorderWidth(1);
    Status->SetAlignment(taLeftJustify);
    Status->SetCaption("  Starting");

    TickLabel = Create<TLabel>(this);
    TickLabel->SetName("TickLabel");
    TickLabel->SetParent(this);
    TickLabel->SetBounds(20, 64, 0, 0);
    TickLabel->Font()->SetHeight(-24);
    TickLabel->SetCaption("Ticks: 0");

    Note = Create<TLabel>(this);
    Note->SetName("Note");
    Note->SetParent(this);
    Note->SetAutoSize(false);
    Note->SetWordWrap(true);
    Note->SetBounds(20, 104, 320, 60);
    Note->SetCaption("Word wrap: this label is narrower than its text, so the words go on in a second line.");

    Ticker = Create<TTimer>(this);
    Ticker->SetName("Ticker");
    Ticker->SetInterval(250);
    Ticker->OnTimer = TNotifyEvent::Bind<&TDemoForm::TickerTimer>(this);
}

void TDemoForm::TickerTimer(TObject*) {
    ++Ticks;
    TickLabel->SetCaption("Ticks: " + std::to_string(Ticks));
    Status->SetCaption("  Running for " + std::to_string(Ticks * 250) + " ms");
}
