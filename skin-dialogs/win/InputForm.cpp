#include "InputForm.h"

#include "Exceptions.h"
#include "FormFrame.h"
#include "Label.h"
#include "SkinButtons.h"
#include "SkinClasses.h"
#include "SkinEdit.h"

namespace {

template <class T>
T* Part(TComponent* Form, const char* Name) {
    TComponent* c = Form->FindComponent(Name);
    if (!c || !c->Is<T>()) throw Exception(std::string("The input window has no ") + Name);
    return static_cast<T*>(c);
}

}  // namespace

const TClassInfo& TfrmInput::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TfrmInput, TForm>("TfrmInput", [](auto&) {});
    return info;
}

void TfrmInput::Init() {
    // The classes the stored description names, known before it is read.
    RegisterClass<TLabel>();
    RegisterClass<TskEdit>();
    RegisterClass<TskButton>();
    RegisterSkinClasses();
    TForm::Init();
    skForm1 = Part<TskForm>(this, "skForm1");
    lbl_prompt = Part<TLabel>(this, "lbl_prompt");
    edt_value = Part<TskEdit>(this, "edt_value");
    btn1 = Part<TskButton>(this, "btn1");
    btn2 = Part<TskButton>(this, "btn2");
}
