#include "StdControls.h"

#include "Button.h"
#include "CheckBox.h"
#include "Edit.h"
#include "GroupBox.h"
#include "Image.h"
#include "ListView.h"
#include "Memo.h"
#include "PageControl.h"
#include "ToolBar.h"

void RegisterStandardControls() {
    RegisterClass<TEdit>();
    RegisterClass<TMemo>();
    RegisterClass<TButton>();
    RegisterClass<TCheckBox>();
    RegisterClass<TGroupBox>();
    RegisterClass<TPageControl>();
    RegisterClass<TTabSheet>();
    RegisterClass<TImage>();
    RegisterClass<TListView>();
    RegisterClass<TToolBar>();
    RegisterClass<TToolButton>();
}
