#include "SwfActions.h"

#include "SwfBitReader.h"
#include "SwfMovie.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>

namespace {

enum TActionCode : uint8_t {
    ActionEnd = 0x00,
    ActionNextFrame = 0x04,
    ActionPrevFrame = 0x05,
    ActionPlay = 0x06,
    ActionStop = 0x07,
    ActionGotoFrame = 0x81,
    ActionConstantPool = 0x88,
    ActionGotoLabel = 0x8C,
    ActionPush = 0x96,
    ActionGotoFrame2 = 0x9F,
};

enum TScriptTag : uint16_t { TagDoAction = 12, TagFrameLabel = 43 };

bool ReadPush(std::span<const uint8_t> Body, std::vector<TSwfActionValue>& Values) {
    TSwfBitReader r(Body);
    while (r.Remaining() > 0) {
        TSwfActionValue v;
        switch (r.U8()) {
        case 0:
            v.Kind = TSwfActionValue::StringValue;
            v.Text = r.String();
            break;
        case 1: {
            v.Kind = TSwfActionValue::NumberValue;
            v.Number = std::bit_cast<float>(r.U32());
            break;
        }
        case 2: case 3: break;                    // null, undefined
        case 4: case 5: r.U8(); break;            // register, boolean
        case 6: {
            // Doubles come as two little-endian halves, the high half first.
            uint64_t high = r.U32();
            uint64_t low = r.U32();
            v.Kind = TSwfActionValue::NumberValue;
            v.Number = std::bit_cast<double>(high << 32 | low);
            break;
        }
        case 7:
            v.Kind = TSwfActionValue::NumberValue;
            v.Number = static_cast<int32_t>(r.U32());
            break;
        case 8:
            v.Kind = TSwfActionValue::ConstantValue;
            v.Index = r.U8();
            break;
        case 9:
            v.Kind = TSwfActionValue::ConstantValue;
            v.Index = r.U16();
            break;
        default: return false;                    // no way to know its size
        }
        if (r.Overrun()) return false;
        Values.push_back(std::move(v));
    }
    return true;
}

bool ReadRecord(uint8_t Code, std::span<const uint8_t> Body, TSwfAction& a) {
    TSwfBitReader r(Body);
    switch (Code) {
    case ActionNextFrame: a.Op = TSwfAction::NextFrame; return true;
    case ActionPrevFrame: a.Op = TSwfAction::PrevFrame; return true;
    case ActionPlay: a.Op = TSwfAction::Play; return true;
    case ActionStop: a.Op = TSwfAction::Stop; return true;
    case ActionGotoFrame:
        a.Op = TSwfAction::GotoFrame;
        a.Frame = r.U16();
        break;
    case ActionGotoLabel:
        a.Op = TSwfAction::GotoLabel;
        a.Label = r.String();
        break;
    case ActionGotoFrame2: {
        a.Op = TSwfAction::GotoComputed;
        uint8_t flags = r.U8();
        a.PlayAfter = flags & 0x01;
        if (flags & 0x02) a.SceneBias = r.U16();
        break;
    }
    case ActionConstantPool: {
        a.Op = TSwfAction::ConstantPool;
        uint16_t count = r.U16();
        for (uint16_t i = 0; i < count && !r.Overrun(); ++i) a.Strings.push_back(r.String());
        break;
    }
    case ActionPush:
        a.Op = TSwfAction::Push;
        return ReadPush(Body, a.Values);
    default:
        a.Op = TSwfAction::Other;
        return true;
    }
    return !r.Overrun();
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

// A whole number in text, as a computed go-to takes "5" to mean frame 5.
bool ParseFrameNumber(std::string_view s, double& Out) {
    int n = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
    if (ec != std::errc{} || end != s.data() + s.size() || s.empty()) return false;
    Out = n;
    return true;
}

}  // namespace

bool ReadActions(std::span<const uint8_t> Data, std::vector<TSwfAction>& Actions) {
    TSwfBitReader r(Data);
    while (r.Remaining() > 0) {
        uint8_t code = r.U8();
        if (code == ActionEnd) return true;
        std::span<const uint8_t> body;
        if (code >= 0x80) {
            uint16_t length = r.U16();
            body = r.Take(length);
            if (r.Overrun()) {
                Actions.emplace_back();  // cut short: what it meant is not known
                return false;
            }
        }
        TSwfAction a;
        bool ok = ReadRecord(code, body, a);
        // Runs of skipped code need one marker only.
        if (a.Op == TSwfAction::Other && !Actions.empty() && Actions.back().Op == TSwfAction::Other) continue;
        Actions.push_back(std::move(a));
        if (!ok) {
            // A record broken inside its own length: what it meant is not known.
            Actions.back() = TSwfAction{};
            return false;
        }
    }
    return true;  // a script may end with its data
}

bool ReadScriptTag(uint16_t Code, std::span<const uint8_t> Body, TSwfFrameDef& Frame, bool& Damaged) {
    if (Code == TagDoAction) {
        if (!ReadActions(Body, Frame.Actions)) Damaged = true;
        return true;
    }
    if (Code == TagFrameLabel) {
        TSwfBitReader r(Body);
        std::string label = r.String();
        if (r.Overrun())
            Damaged = true;  // no terminator: the label's extent is not known
        else
            Frame.Labels.push_back(std::move(label));
        return true;
    }
    return false;
}

int FindLabel(const std::vector<TSwfFrameDef>& Frames, std::string_view Label) {
    for (size_t i = 0; i < Frames.size(); ++i)
        for (const std::string& l : Frames[i].Labels)
            if (EqualsNoCase(l, Label)) return static_cast<int>(i);
    return -1;
}

void RunActions(const std::vector<TSwfAction>& Actions, TSwfScriptTarget& Target) {
    std::vector<TSwfActionValue> stack;
    const std::vector<std::string>* pool = nullptr;
    const int last = Target.FrameCount() - 1;
    // Frames past either end are taken as the nearest end.
    auto jump = [&](double Frame) {
        int f = std::isnan(Frame) ? 0 : static_cast<int>(std::clamp(Frame, 0.0, double(last)));
        return f == Target.CurrentFrame() || Target.Jump(f);
    };
    for (const TSwfAction& a : Actions) {
        bool goOn = true;
        switch (a.Op) {
        case TSwfAction::Stop: Target.SetPlaying(false); break;
        case TSwfAction::Play: Target.SetPlaying(true); break;
        case TSwfAction::NextFrame:
            Target.SetPlaying(false);
            goOn = jump(Target.CurrentFrame() + 1);
            break;
        case TSwfAction::PrevFrame:
            Target.SetPlaying(false);
            goOn = jump(Target.CurrentFrame() - 1);
            break;
        case TSwfAction::GotoFrame: goOn = jump(a.Frame); break;
        case TSwfAction::GotoLabel:
            if (int f = Target.LabelFrame(a.Label); f >= 0) goOn = jump(f);
            break;
        case TSwfAction::GotoComputed: {
            if (stack.empty()) break;
            TSwfActionValue v = std::move(stack.back());
            stack.pop_back();
            if (v.Kind == TSwfActionValue::ConstantValue) {
                if (!pool || v.Index >= pool->size()) break;
                v.Kind = TSwfActionValue::StringValue;
                v.Text = (*pool)[v.Index];
            }
            double number = 0;
            int frame = -1;
            if (v.Kind == TSwfActionValue::NumberValue || (v.Kind == TSwfActionValue::StringValue && ParseFrameNumber(v.Text, number))) {
                if (v.Kind == TSwfActionValue::NumberValue) number = v.Number;
                if (std::isnan(number)) break;
                goOn = jump(std::floor(number) - 1 + a.SceneBias);
                frame = 0;
            } else if (v.Kind == TSwfActionValue::StringValue && v.Text.find_first_of(":/.") == std::string::npos) {
                frame = Target.LabelFrame(v.Text);
                if (frame >= 0) goOn = jump(frame);
            }
            if (frame >= 0 && goOn) Target.SetPlaying(a.PlayAfter);
            break;
        }
        case TSwfAction::Push:
            stack.insert(stack.end(), a.Values.begin(), a.Values.end());
            if (stack.size() > 256) stack.erase(stack.begin(), stack.end() - 256);
            break;
        case TSwfAction::ConstantPool: pool = &a.Strings; break;
        case TSwfAction::Other: stack.clear(); break;
        }
        if (!goOn) return;
    }
}
