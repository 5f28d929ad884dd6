#pragma once
// The common file dialogs over GetOpenFileNameA and GetSaveFileNameA.

#include "Component.h"

#include <string>

enum TOpenOption {
    ofReadOnly,
    ofOverwritePrompt,
    ofHideReadOnly,
    ofNoChangeDir,
    ofPathMustExist,
    ofFileMustExist,
    ofCreatePrompt,
    ofNoReadOnlyReturn,
    ofEnableSizing,
};
using TOpenOptions = TSet<TOpenOption>;

class TCommonDialog : public TComponent {
public:
    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();
    // Shows the dialog modally; true when the user accepted it.
    virtual bool Execute() = 0;
};

class TOpenDialog : public TCommonDialog {
public:
    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();

    bool Execute() override;

    // The chosen file; what it holds before Execute is offered in the dialog.
    std::string FileName;
    // "description|pattern|description|pattern...", e.g. "Flash Movies (*.swf)|*.swf".
    std::string Filter;
    // 1-based index of the filter in use.
    int FilterIndex = 1;
    // Added to a typed name that has no extension ("qlm", without the dot).
    std::string DefaultExt;
    std::string InitialDir;
    std::string Title;
    // No overwrite prompt and no must-exist test unless asked for.
    TOpenOptions Options{ofHideReadOnly, ofEnableSizing};

    TOpenOptions GetOptions() const { return Options; }
    void SetOptions(TOpenOptions Value) { Options = Value; }

protected:
    // Runs the system dialog on the prepared structure (open or save).
    virtual bool RunDialog(void* OpenFileName);
};

class TSaveDialog : public TOpenDialog {
public:
    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();

protected:
    bool RunDialog(void* OpenFileName) override;
};

// Its filter lists every picture format TPicture knows, all of them first.
class TOpenPictureDialog : public TOpenDialog {
public:
    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();

protected:
    void Init() override;
};

// "All (*.bmp;*.jpg)|*.bmp;*.jpg|Bitmaps (*.bmp)|*.bmp|..." from the registered picture formats.
std::string GraphicFilter();
