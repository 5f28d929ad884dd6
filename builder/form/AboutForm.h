#pragma once
// The builder's About box: the product banner (a link to the maker's home
// page), the version line, the copyright notice and OK. Its layout comes from
// the stored description (AboutForm.form).

#include "Form.h"

#include <functional>
#include <string>

class TImage;

class TAboutForm : public TForm {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    // Opens an address through the shell, with the box as the parent window.
    std::function<void(const std::string& Address)> OpenAddress;

    void skButton1Click(TObject* Sender);
    void ImagePanelClick(TObject* Sender);

protected:
    void Init() override;

private:
    void DrawBanner(TImage* Banner);
};
