#pragma once
// Memos: a multi-line native EDIT. Lines is a string list view of the text in
// the window (or of the text kept while there is no window): what is set
// through Lines is in the window at once, and what is typed shows in Lines.

#include "Edit.h"
#include "Strings.h"

#include <memory>

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TCustomMemo;

// The lines of a memo; one line per CR LF of the memo's text.
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TCustomMemo* Memo) : memo_(Memo) {}
    std::string ClassName() const override { return "TMemoStrings"; }

    int Count() const override;
    std::string Strings(int Index) const override;
    void SetStrings(int Index, const std::string& S) override;
    void Insert(int Index, const std::string& S) override;
    void Delete(int Index) override;
    void Clear() override;
    void SetText(const std::string& Text) override;

protected:
    void SetUpdateState(bool Updating) override;

private:
    std::vector<std::string> Split() const;
    void Join(const std::vector<std::string>& Lines);

    TCustomMemo* memo_;
};

class TCustomMemo : public TCustomEdit {
public:
    TCustomMemo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    TStrings* Lines() { return &lines_; }
    void SetLines(TStrings* Value) { lines_.Assign(Value); }
    // Changing the scroll bars of an existing memo makes its window again,
    // keeping text, selection and first visible line.
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle Value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool Value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);
    bool WantReturns = true;
    bool WantTabs = false;

protected:
    void Init() override;
    void CreateParams(TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;

private:
    TMemoStrings lines_;
    TScrollStyle scrollBars_ = ssNone;
    bool wordWrap_ = true;
    TAlignment alignment_ = taLeftJustify;
};

class TMemo : public TCustomMemo {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};
