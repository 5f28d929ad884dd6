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
// The lines are kept split while the memo's text stays as they were made
// from, so reading them one by one, appending at the end and assigning a
// whole list each cost time in proportion to the text, not to its square.
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
    std::string Text() const override;
    void SetText(const std::string& Text) override;
    void Assign(TPersistent* Source) override;

protected:
    void SetUpdateState(bool Updating) override;

private:
    // The lines of the memo's text as it is now; split again only when the
    // text was changed other than through these lines.
    const std::vector<std::string>& Lines() const;
    void Join(std::vector<std::string> Lines);
    void Remember(std::vector<std::string> Lines) const;

    TCustomMemo* memo_;
    mutable std::vector<std::string> lines_;
    mutable bool known_ = false;
    mutable unsigned stamp_ = 0;
    mutable size_t length_ = 0;
    // Whether the text ends with a line break (or is empty), so that an
    // appended line begins a line of its own.
    mutable bool endsWithBreak_ = true;
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
    void SetTextBuf(const std::string& Value) override;

private:
    friend class TMemoStrings;
    // Counts every change of the text that did not come from appending
    // through the lines, typed or set, so the kept lines know when to split again.
    unsigned textStamp_ = 0;
    size_t TextLength() const;
    // Adds Tail at the very end of the text without reading the text.
    void AppendText(const std::string& Tail);

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
