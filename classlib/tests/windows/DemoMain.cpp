// Shows the demo form; with a number of seconds as the first parameter the
// program ends by itself after that time.
#include "Application.h"
#include "DemoForm.h"

#include <cstdlib>

namespace {
class TStopper : public TObject {
public:
    void Stop(TObject*) { Application->Terminate(); }
};
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Application->Initialize();
    Application->SetTitle("Tessaloom demo");
    TDemoForm* form = nullptr;
    Application->CreateForm(form);
    TStopper stopper;
    if (Application->ParamCount() >= 1) {
        auto* stop = Create<TTimer>(form);
        stop->SetInterval(static_cast<unsigned>(std::atoi(Application->ParamStr(1).c_str())) * 1000u);
        stop->OnTimer = TNotifyEvent::Bind<&TStopper::Stop>(&stopper);
    }
    Application->Run();
    return 0;
}
