// Shows the standard-controls form; an argument picks the page (0, 1, 2).
#include "Application.h"
#include "ControlsDemoForm.h"
#include "PageControl.h"

#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR CmdLine, int) {
    Application->Initialize();
    TForm* form = CreateControlsDemoForm(Application);
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (auto* pc = dynamic_cast<TPageControl*>(form->Components(i))) pc->SetActivePageIndex(std::atoi(CmdLine));
    Application->SetMainForm(form);
    form->Show();
    Application->Run();
    return 0;
}
