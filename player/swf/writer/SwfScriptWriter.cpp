#include "SwfScriptWriter.h"

#include <bit>

namespace {

void Put16(std::vector<uint8_t>& v, uint16_t x) {
    v.push_back(x & 0xFF);
    v.push_back(x >> 8);
}

void Put32(std::vector<uint8_t>& v, uint32_t x) {
    for (int i = 0; i < 4; ++i) v.push_back((x >> (8 * i)) & 0xFF);
}

void PutString(std::vector<uint8_t>& v, const std::string& s) {
    v.insert(v.end(), s.begin(), s.end());
    v.push_back(0);
}

}  // namespace

TSwfActionWriter& TSwfActionWriter::Record(uint8_t Code, const std::vector<uint8_t>& Body) {
    data_.push_back(Code);
    if (Code >= 0x80) {
        Put16(data_, static_cast<uint16_t>(Body.size()));
        data_.insert(data_.end(), Body.begin(), Body.end());
    }
    return *this;
}

TSwfActionWriter& TSwfActionWriter::GotoFrame(uint16_t Frame) {
    std::vector<uint8_t> b;
    Put16(b, Frame);
    return Record(0x81, b);
}

TSwfActionWriter& TSwfActionWriter::GotoLabel(const std::string& Label) {
    std::vector<uint8_t> b;
    PutString(b, Label);
    return Record(0x8C, b);
}

TSwfActionWriter& TSwfActionWriter::GotoFrame2(bool Play, std::optional<uint16_t> SceneBias) {
    std::vector<uint8_t> b{static_cast<uint8_t>((Play ? 1 : 0) | (SceneBias ? 2 : 0))};
    if (SceneBias) Put16(b, *SceneBias);
    return Record(0x9F, b);
}

TSwfActionWriter& TSwfActionWriter::PushString(const std::string& s) {
    std::vector<uint8_t> b{0};
    PutString(b, s);
    return Record(0x96, b);
}

TSwfActionWriter& TSwfActionWriter::PushDouble(double v) {
    const uint64_t bits = std::bit_cast<uint64_t>(v);
    std::vector<uint8_t> b{6};
    Put32(b, static_cast<uint32_t>(bits >> 32));
    Put32(b, static_cast<uint32_t>(bits));
    return Record(0x96, b);
}

TSwfActionWriter& TSwfActionWriter::PushFloat(float v) {
    std::vector<uint8_t> b{1};
    Put32(b, std::bit_cast<uint32_t>(v));
    return Record(0x96, b);
}

TSwfActionWriter& TSwfActionWriter::PushInteger(int32_t v) {
    std::vector<uint8_t> b{7};
    Put32(b, static_cast<uint32_t>(v));
    return Record(0x96, b);
}

TSwfActionWriter& TSwfActionWriter::PushConstant(uint16_t Index) {
    std::vector<uint8_t> b;
    if (Index < 256) {
        b = {8, static_cast<uint8_t>(Index)};
    } else {
        b = {9};
        Put16(b, Index);
    }
    return Record(0x96, b);
}

TSwfActionWriter& TSwfActionWriter::ConstantPool(const std::vector<std::string>& Strings) {
    std::vector<uint8_t> b;
    Put16(b, static_cast<uint16_t>(Strings.size()));
    for (const std::string& s : Strings) PutString(b, s);
    return Record(0x88, b);
}

std::vector<uint8_t> TSwfActionWriter::Encode() const {
    std::vector<uint8_t> out = data_;
    out.push_back(0);
    return out;
}

void DoAction(TSwfTagWriter& Timeline, const TSwfActionWriter& Script) { Timeline.Tag(12, Script.Encode()); }

void FrameLabel(TSwfTagWriter& Timeline, const std::string& Label) {
    std::vector<uint8_t> b;
    PutString(b, Label);
    Timeline.Tag(43, b);
}

std::vector<uint8_t> EncodeButton(int Version, const std::vector<TSwfButtonRecord>& Records) {
    TSwfBitWriter w;
    if (Version == 2) {
        w.U8(0);   // a push button
        w.U16(0);  // no condition actions
    }
    for (const TSwfButtonRecord& r : Records) {
        uint8_t flags = r.States;
        if (Version == 2 && r.BlurFilter) flags |= 0x10;
        if (Version == 2 && r.BlendMode) flags |= 0x20;
        w.U8(flags);
        w.U16(r.CharacterId);
        w.U16(r.Depth);
        w.Matrix(r.Matrix);
        if (Version == 2) {
            w.ColorTransform(r.ColorTransform, true);
            if (r.BlurFilter) {
                w.U8(1);
                w.U8(1);  // blur: x and y 16.16, one pass
                w.U32(0x40000);
                w.U32(0x40000);
                w.U8(1 << 3);
            }
            if (r.BlendMode) w.U8(*r.BlendMode);
        }
    }
    w.U8(0);
    if (Version == 1) w.U8(0);  // the release script: empty
    return w.Data();
}

uint16_t DefineButton(TSwfWriter& Writer, int Version, const std::vector<TSwfButtonRecord>& Records) {
    const uint16_t id = Writer.NextId();
    std::vector<uint8_t> body;
    Put16(body, id);
    const std::vector<uint8_t> rest = EncodeButton(Version, Records);
    body.insert(body.end(), rest.begin(), rest.end());
    Writer.DefinitionTag(Version == 1 ? 7 : 34, body);
    return id;
}
