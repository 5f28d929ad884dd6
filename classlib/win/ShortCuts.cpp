#include "Menus.h"

namespace {

struct TKeyName {
    std::uint16_t Key;
    const char* Name;
};

constexpr TKeyName KeyNames[] = {
    {VK_BACK, "BkSp"},  {VK_TAB, "Tab"},     {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},   {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},   {VK_END, "End"},      {VK_HOME, "Home"},    {VK_LEFT, "Left"},
    {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},    {VK_INSERT, "Ins"},   {VK_DELETE, "Del"},
};

std::string KeyText(std::uint16_t Key) {
    if ((Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z')) return std::string(1, static_cast<char>(Key));
    if (Key >= VK_F1 && Key <= VK_F24) return "F" + std::to_string(Key - VK_F1 + 1);
    for (const TKeyName& k : KeyNames)
        if (k.Key == Key) return k.Name;
    return {};
}

}  // namespace

TShortCut ShortCut(std::uint16_t Key, TShiftState Shift) {
    if (Key & 0xFF00) return 0;
    TShortCut result = Key;
    if (Shift.Contains(ssShift)) result |= scShift;
    if (Shift.Contains(ssCtrl)) result |= scCtrl;
    if (Shift.Contains(ssAlt)) result |= scAlt;
    return result;
}

std::string ShortCutToText(TShortCut Value) {
    const std::string key = KeyText(Value & 0xFF);
    if (key.empty()) return {};
    std::string text;
    if (Value & scShift) text += "Shift+";
    if (Value & scCtrl) text += "Ctrl+";
    if (Value & scAlt) text += "Alt+";
    return text + key;
}
