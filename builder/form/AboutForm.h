#pragma once
// The builder's About box: the product banner (a link to the maker's home
// page), the version line, the copyright notice and OK, in a skinned frame.
// Its layout and banner come from the stored description (AboutForm.form).

#include "Form.h"

#include <functional>
#include <string>

class TAboutForm : public TForm {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    // Hands a file to the shell as ShellExecuteA does: parent window, verb
    // (null: the default), file, show command. Tests replace it to see the call.
    std::function<void(HWND Parent, const char* Verb, const std::string& File, int Show)> ShellOpen;

    void skButton1Click(TObject* Sender);
    void ImagePanelClick(TObject* Sender);

protected:
    void Init() override;

private:
    // The banner fills its flat panel, so the panel takes the banner's mouse
    // enter and leave as its own and sinks while the pointer is on it.
    void BannerWindowProc(TMessage& Message);

    TControl* banner_ = nullptr;
    TControl* bannerFrame_ = nullptr;
    TWndMethod bannerProc_;
};
