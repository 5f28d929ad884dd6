#include "Memo.h"

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
}  // namespace

std::vector<std::string> TMemoStrings::Split() const { return SplitLines(memo_->Text()); }

void TMemoStrings::Join(const std::vector<std::string>& Lines) {
    // Every line ends with a break, so that an empty last line is kept.
    std::string text;
    for (const std::string& line : Lines) text += line + "\r\n";
    memo_->SetText(text);
}

int TMemoStrings::Count() const { return static_cast<int>(Split().size()); }

std::string TMemoStrings::Strings(int Index) const {
    const auto lines = Split();
    if (Index < 0 || Index >= static_cast<int>(lines.size())) Error(Index);
    return lines[static_cast<size_t>(Index)];
}

void TMemoStrings::SetStrings(int Index, const std::string& S) {
    auto lines = Split();
    if (Index < 0 || Index >= static_cast<int>(lines.size())) Error(Index);
    lines[static_cast<size_t>(Index)] = S;
    Join(lines);
}

void TMemoStrings::Insert(int Index, const std::string& S) {
    auto lines = Split();
    if (Index < 0 || Index > static_cast<int>(lines.size())) Error(Index);
    lines.insert(lines.begin() + Index, S);
    Join(lines);
}

void TMemoStrings::Delete(int Index) {
    auto lines = Split();
    if (Index < 0 || Index >= static_cast<int>(lines.size())) Error(Index);
    lines.erase(lines.begin() + Index);
    Join(lines);
}

void TMemoStrings::Clear() { memo_->SetText(""); }

void TMemoStrings::SetText(const std::string& Text) { Join(SplitLines(Text)); }

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
    if (Message.Msg == WM_GETDLGCODE) {
        TCustomEdit::Dispatch(Message);
        if (WantTabs) Message.Result |= DLGC_WANTTAB;
        else Message.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
        if (!WantReturns) Message.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
        return;
    }
    TCustomEdit::Dispatch(Message);
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
