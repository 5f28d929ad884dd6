#pragma once
// Frame scripts, labels and buttons for the tests' movies and the samples.

#include "SwfWriter.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Action records of one script, each in its file encoding.
class TSwfActionWriter {
public:
    TSwfActionWriter& Stop() { return Simple(0x07); }
    TSwfActionWriter& Play() { return Simple(0x06); }
    TSwfActionWriter& NextFrame() { return Simple(0x04); }
    TSwfActionWriter& PrevFrame() { return Simple(0x05); }
    TSwfActionWriter& GotoFrame(uint16_t Frame);   // counted from 0
    TSwfActionWriter& GotoLabel(const std::string& Label);
    // The computed go-to: pops a frame (numbers count from 1) or a label.
    TSwfActionWriter& GotoFrame2(bool Play, std::optional<uint16_t> SceneBias = {});
    TSwfActionWriter& PushString(const std::string& s);
    TSwfActionWriter& PushDouble(double v);
    TSwfActionWriter& PushFloat(float v);
    TSwfActionWriter& PushInteger(int32_t v);
    TSwfActionWriter& PushConstant(uint16_t Index);  // 8-bit form below 256
    TSwfActionWriter& ConstantPool(const std::vector<std::string>& Strings);
    // Any record: a code below 0x80 has no body.
    TSwfActionWriter& Record(uint8_t Code, const std::vector<uint8_t>& Body = {});
    TSwfActionWriter& Simple(uint8_t Code) { return Record(Code); }

    // The records and the end action.
    std::vector<uint8_t> Encode() const;

private:
    std::vector<uint8_t> data_;
};

// DoAction and FrameLabel tags on a timeline; they belong to the frame the
// next ShowFrame ends.
void DoAction(TSwfTagWriter& Timeline, const TSwfActionWriter& Script);
void FrameLabel(TSwfTagWriter& Timeline, const std::string& Label);

struct TSwfButtonRecord {
    TSwfButtonRecord(uint8_t States, uint16_t Id, uint16_t Depth, const TSwfMatrix& m = {})
        : States(States), CharacterId(Id), Depth(Depth), Matrix(m) {}
    uint8_t States = 0x01;      // up 1, over 2, down 4, hit test 8
    uint16_t CharacterId = 0;
    uint16_t Depth = 1;
    TSwfMatrix Matrix;
    TSwfColorTransform ColorTransform;  // DefineButton2 only
    bool BlurFilter = false;            // DefineButton2 only: one blur filter
    std::optional<uint8_t> BlendMode;   // DefineButton2 only
};

// DefineButton (Version 1) or DefineButton2 with the records and a script
// that does nothing on release.
uint16_t DefineButton(TSwfWriter& Writer, int Version, const std::vector<TSwfButtonRecord>& Records);
// The body after the id, for tests that change it.
std::vector<uint8_t> EncodeButton(int Version, const std::vector<TSwfButtonRecord>& Records);
