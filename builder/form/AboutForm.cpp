#include "AboutForm.h"

#include "FlatPanel.h"
#include "FormFrame.h"
#include "Label.h"
#include "MainForm.h"
#include "Messages.h"
#include "SkinButtons.h"
#include "SkinClasses.h"
#include "SkinImagePanel.h"

#include <shellapi.h>

const TClassInfo& TAboutForm::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TAboutForm, TForm>("TAboutForm", [](auto& c) {
        c.template Handler<&TAboutForm::skButton1Click>("skButton1Click");
        c.template Handler<&TAboutForm::ImagePanelClick>("ImagePanelClick");
    });
    return info;
}

void TAboutForm::Init() {
    // The classes the stored description names, known before it is read.
    RegisterClass<TLabel>();
    RegisterClass<TFlatPanel>();
    RegisterClass<TskImagePanel>();
    RegisterClass<TskButton>();
    RegisterSkinClasses();
    TForm::Init();
    banner_ = dynamic_cast<TControl*>(FindComponent("ImagePanel"));
    bannerFrame_ = dynamic_cast<TControl*>(FindComponent("FlatPanel1"));
    if (banner_ && bannerFrame_) {
        bannerProc_ = banner_->WindowProc;
        banner_->WindowProc = TWndMethod::Bind<&TAboutForm::BannerWindowProc>(this);
    }
    ShellOpen = [](HWND Parent, const char* Verb, const std::string& File, int Show) {
        // The shell reports its own failures; the box does not.
        ShellExecuteA(Parent, Verb, File.c_str(), nullptr, nullptr, Show);
    };
}

void TAboutForm::BannerWindowProc(TMessage& Message) {
    bannerProc_(Message);
    if (Message.Msg == CM_MOUSEENTER || Message.Msg == CM_MOUSELEAVE)
        bannerFrame_->Perform(Message.Msg, Message.WParam, Message.LParam);
}

void TAboutForm::skButton1Click(TObject*) { Close(); }

void TAboutForm::ImagePanelClick(TObject*) {
    if (ShellOpen) ShellOpen(Handle(), nullptr, kMakerHomePage, SW_SHOWNORMAL);
}
