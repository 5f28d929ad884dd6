#pragma once
// TSetupForm: the screensaver's settings window. It shows the publisher
// information and the logo carried in the installed screensaver file, keeps
// the two settings "mute" and "ignore", and removes the screensaver on request.

#include "Form.h"

#include <functional>
#include <memory>
#include <string>

class TLabel;
class TProject;
class TskButton;
class TskCheckBox;
class TskForm;
class TskURLLabel;
class TskImagePanel;

// What the window does outside itself. Empty members take the real thing;
// tests fill them to look at a file of their choosing and to see what would
// be opened, started or ended.
struct TSetupFormServices {
    // The installed screensaver file; empty: the running program's own file.
    std::string ProgramFile;
    // Opens an address the link labels allow (the shell's "open").
    std::function<void(const std::string& Address)> OpenAddress;
    // Starts the uninstall batch hidden; false when it did not start.
    std::function<bool(const std::string& Batch)> StartBatch;
    // Ends the program (the application object's Terminate).
    std::function<void()> Terminate;
};

class TSetupForm : public TForm {
public:
    explicit TSetupForm(TSetupFormServices Services = {});
    ~TSetupForm() override;
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    // The components of the stored description, found once it is read.
    TLabel* TitleLabel = nullptr;
    TLabel* PublisherLabel = nullptr;
    TskURLLabel* HomepageLabel = nullptr;
    TskURLLabel* EmailLabel = nullptr;
    TLabel* CopyrightLabel = nullptr;
    TskForm* Frame = nullptr;
    TskImagePanel* LogoPanel = nullptr;
    TskCheckBox* MuteCheckBox = nullptr;
    TskCheckBox* IgnoreCheckBox = nullptr;
    TskButton* UninstallBtn = nullptr;
    TskButton* SaveBtn = nullptr;
    TskButton* CancelBtn = nullptr;

    // Created by FormShow, freed by FormClose; null outside that span.
    TProject* Project() const { return project_.get(); }

    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void SaveBtnClick(TObject* Sender);
    void CancelBtnClick(TObject* Sender);
    void UninstallBtnClick(TObject* Sender);

    // Writes the uninstall batch, starts it and ends the program.
    void RemoveScreensaver();

protected:
    void Init() override;

private:
    void Fill();
    std::string ProgramFile() const;

    TSetupFormServices services_;
    std::unique_ptr<TProject> project_;
    std::string buildId_;
};
