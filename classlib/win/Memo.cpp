#include "Memo.h"

#include <algorithm>

namespace {
// Lines of a text: a break is CR LF, CR or LF; a break at the end starts no line.
std::vector<std::string> SplitLines(const std::string& Text) {
    std::vector<std::string> lines;
    std::string cur;
    for (size_t i = 0; i < Text.size(); ++i) {
        const char c = Text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(cur);
            cur.clear();
            if (c == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') ++i;
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) lines.push_back(cur);
    return lines;
}


bool EndsWithBreak(const std::string& Text) { return Text.empty() || Text.back() == '\r' || Text.back() == '\n'; }

bool HasBreak(const std::string& S) { return S.find_first_of("\r\n") != std::string::npos; }
}  // namespace

const std::vector<std::string>& TMemoStrings::Lines() const {
    const size_t length = memo_->TextLength();
    if (!known_ || stamp_ != memo_->textStamp_ || length_ != length) {
        const std::string text = memo_->Text();
        lines_ = SplitLines(text);
        endsWithBreak_ = EndsWithBreak(text);
        stamp_ = memo_->textStamp_;
        length_ = length;
        known_ = true;
    }
    return lines_;
}

void TMemoStrings::Remember(std::vector<std::string> Lines) const {
    lines_ = std::move(Lines);
    endsWithBreak_ = true;
    stamp_ = memo_->textStamp_;
    length_ = memo_->TextLength();
    known_ = true;
}

void TMemoStrings::Join(std::vector<std::string> Lines) {
    // Every line ends with a break, so that an empty last line is kept.
    size_t size = 0;
    for (const std::string& line : Lines) size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string& line : Lines) {
        text += line;
        text += "\r\n";
    }
    memo_->SetText(text);
    // A line holding a break of its own is more than one line of the text.
    if (std::any_of(Lines.begin(), Lines.end(), HasBreak)) known_ = false;
    else Remember(std::move(Lines));
}

int TMemoStrings::Count() const { return static_cast<int>(Lines().size()); }

std::string TMemoStrings::Strings(int Index) const {
    const auto& lines = Lines();
    if (Index < 0 || Index >= static_cast<int>(lines.size())) Error(Index);
    return lines[static_cast<size_t>(Index)];
}

void TMemoStrings::SetStrings(int Index, const std::string& S) {
    auto lines = Lines();
    if (Index < 0 || Index >= static_cast<int>(lines.size())) Error(Index);
    lines[static_cast<size_t>(Index)] = S;
    Join(std::move(lines));
}

void TMemoStrings::Insert(int Index, const std::string& S) {
    const auto& current = Lines();
    const int count = static_cast<int>(current.size());
    if (Index < 0 || Index > count) Error(Index);
    if (Index == count && memo_->MaxLength() == 0) {
        // At the end: the text is extended, not written again. A limit of
        // the memo's own would cut the appended text, so then it is set whole.
        memo_->AppendText((endsWithBreak_ ? "" : "\r\n") + S + "\r\n");
        // A handler of the change may have read the lines again meanwhile.
        if (HasBreak(S) || !known_ || lines_.size() != static_cast<size_t>(count)) {
            known_ = false;
        } else {
            lines_.push_back(S);
            Remember(std::move(lines_));
        }
        return;
    }
    auto lines = current;
    lines.insert(lines.begin() + Index, S);
    Join(std::move(lines));
}

void TMemoStrings::Delete(int Index) {
    auto lines = Lines();
    if (Index < 0 || Index >= static_cast<int>(lines.size())) Error(Index);
    lines.erase(lines.begin() + Index);
    Join(std::move(lines));
}

void TMemoStrings::Clear() { Join({}); }

std::string TMemoStrings::Text() const {
    const auto& lines = Lines();
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void TMemoStrings::SetText(const std::string& Text) { Join(SplitLines(Text)); }

void TMemoStrings::Assign(TPersistent* Source) {
    // A whole list goes into the memo in one step.
    if (auto* source = dynamic_cast<TStrings*>(Source)) {
        if (source != this) SetText(source->Text());
        return;
    }
    TStrings::Assign(Source);
}

void TMemoStrings::SetUpdateState(bool Updating) {
    // No repainting while many lines go in.
    if (memo_->HandleAllocated()) {
        SendMessageA(memo_->Handle(), WM_SETREDRAW, !Updating, 0);
        if (!Updating) memo_->Invalidate();
    }
}

const TClassInfo& TCustomMemo::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TCustomMemo, TCustomEdit>("TCustomMemo", [](auto&) {});
    return info;
}

const TClassInfo& TMemo::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TMemo, TCustomMemo>("TMemo", [](auto& c) {
        c.template Enum<TAlignment>("Alignment", &TMemo::Alignment, &TMemo::SetAlignment,
                                    {"taLeftJustify", "taRightJustify", "taCenter"});
        c.template Enum<TBorderStyle>("BorderStyle", &TMemo::BorderStyle, &TMemo::SetBorderStyle, {"bsNone", "bsSingle"});
        c.Bool("HideSelection", &TMemo::HideSelection, &TMemo::SetHideSelection);
        c.Object("Lines", &TMemo::Lines);
        c.Int("MaxLength", &TMemo::MaxLength, &TMemo::SetMaxLength);
        c.Bool("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly);
        c.template Enum<TScrollStyle>("ScrollBars", &TMemo::ScrollBars, &TMemo::SetScrollBars,
                                      {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"});
        c.Field("WantReturns", &TMemo::WantReturns);
        c.Field("WantTabs", &TMemo::WantTabs);
        c.Bool("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap);
        c.Event("OnChange", &TMemo::OnChange);
    });
    return info;
}

TCustomMemo::TCustomMemo() : lines_(this) {}

void TCustomMemo::Init() {
    TCustomEdit::Init();
    ControlStyle.Exclude(csFixedHeight);
    SetBounds(0, 0, 185, 89);
    AutoSelect = false;
}

void TCustomMemo::CreateParams(TCreateParams& Params) {
    TCustomEdit::CreateParams(Params);
    Params.Style |= ES_MULTILINE | ES_WANTRETURN;
    if (wordWrap_ && scrollBars_ != ssHorizontal && scrollBars_ != ssBoth) Params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) Params.Style |= WS_VSCROLL;
    if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) Params.Style |= WS_HSCROLL;
    if (alignment_ == taCenter) Params.Style |= ES_CENTER;
    if (alignment_ == taRightJustify) Params.Style |= ES_RIGHT;
}

void TCustomMemo::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_SETTEXT || (Message.Msg == CN_COMMAND && HIWORD(Message.WParam) == EN_CHANGE)) ++textStamp_;
    if (Message.Msg == WM_GETDLGCODE) {
        TCustomEdit::Dispatch(Message);
        if (WantTabs) Message.Result |= DLGC_WANTTAB;
        else Message.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
        if (!WantReturns) Message.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
        return;
    }
    TCustomEdit::Dispatch(Message);
}

void TCustomMemo::SetTextBuf(const std::string& Value) {
    ++textStamp_;
    TCustomEdit::SetTextBuf(Value);
}

size_t TCustomMemo::TextLength() const {
    return handle_ ? static_cast<size_t>(GetWindowTextLengthA(handle_)) : TextBuf().size();
}

void TCustomMemo::AppendText(const std::string& Tail) {
    if (HandleAllocated()) {
        const LRESULT end = GetWindowTextLengthA(Handle());
        SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(end), end);
        SendMessageA(Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(Tail.c_str()));
    } else {
        AppendTextBuf(Tail);
        Perform(CM_TEXTCHANGED);
    }
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
    if (Value == scrollBars_) return;
    scrollBars_ = Value;
    if (!HandleAllocated()) return;
    // The new window gets the text back; the selection and the first
    // visible line are carried over too, so the user's place is not lost.
    DWORD selStart = 0, selEnd = 0;
    SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
    const LRESULT firstLine = SendMessageA(Handle(), EM_GETFIRSTVISIBLELINE, 0, 0);
    RecreateWnd();
    SendMessageA(Handle(), EM_SETSEL, selStart, selEnd);
    const LRESULT nowFirst = SendMessageA(Handle(), EM_GETFIRSTVISIBLELINE, 0, 0);
    SendMessageA(Handle(), EM_LINESCROLL, 0, firstLine - nowFirst);
}

void TCustomMemo::SetWordWrap(bool Value) {
    if (Value == wordWrap_) return;
    wordWrap_ = Value;
    RecreateWnd();
}

void TCustomMemo::SetAlignment(TAlignment Value) {
    if (Value == alignment_) return;
    alignment_ = Value;
    RecreateWnd();
}
