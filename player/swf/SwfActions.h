#pragma once
// Frame scripts as far as the player runs them: the actions that move a
// timeline (stop, play, next and previous frame, go to a frame or a label) and
// the literal values a computed go-to takes its frame from. Every other
// action is kept only as a marker, so a script full of code reads in full and
// a go-to never takes a value some skipped code would have computed.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A literal pushed on the script's stack.
struct TSwfActionValue {
    enum TKind : uint8_t { StringValue, NumberValue, ConstantValue, OtherValue };
    TKind Kind = OtherValue;
    std::string Text;     // StringValue
    double Number = 0;    // NumberValue
    uint16_t Index = 0;   // ConstantValue: an entry of the last constant pool
};

struct TSwfAction {
    enum TOp : uint8_t {
        Stop, Play, NextFrame, PrevFrame,
        GotoFrame,        // Frame, counted from 0
        GotoLabel,        // Label
        GotoComputed,     // the frame popped from the stack; PlayAfter, SceneBias
        Push,             // Values
        ConstantPool,     // Strings
        Other,            // anything else: the stack is no longer known
    };
    TOp Op = Other;
    uint16_t Frame = 0;
    bool PlayAfter = false;
    uint16_t SceneBias = 0;
    std::string Label;
    std::vector<TSwfActionValue> Values;
    std::vector<std::string> Strings;
};

// Reads the action records of a frame script up to its end action or the end
// of Data. Returns false when a record runs past the data or its own length;
// the actions before it are kept.
bool ReadActions(std::span<const uint8_t> Data, std::vector<TSwfAction>& Actions);

struct TSwfFrameDef;

// The tags a frame script is made of: DoAction (the frame's actions, in
// order) and FrameLabel. Returns whether Code was one of them; sets Damaged
// when its body was cut short or broken.
bool ReadScriptTag(uint16_t Code, std::span<const uint8_t> Body, TSwfFrameDef& Frame, bool& Damaged);

// The first frame of Frames carrying Label (compared without regard to ASCII
// case), or -1.
int FindLabel(const std::vector<TSwfFrameDef>& Frames, std::string_view Label);

// Runs the actions of one frame script against a timeline. The interpreter
// keeps the literal stack; the timeline moves.
class TSwfScriptTarget {
public:
    virtual ~TSwfScriptTarget() = default;
    virtual int CurrentFrame() const = 0;
    virtual int FrameCount() const = 0;
    virtual int LabelFrame(std::string_view Label) const = 0;  // -1 when missing
    virtual void SetPlaying(bool Playing) = 0;
    // Moves to Frame (already within the timeline). Returns false when the
    // timeline's jump budget is spent: the script ends there.
    virtual bool Jump(int Frame) = 0;
};

void RunActions(const std::vector<TSwfAction>& Actions, TSwfScriptTarget& Target);
