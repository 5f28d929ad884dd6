#include "SwfMovie.h"

#include "SwfBitReader.h"
#include "SwfButton.h"

#include <zlib.h>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace {

enum TTag : uint16_t {
    TagEnd = 0,
    TagShowFrame = 1,
    TagDefineShape = 2,
    TagPlaceObject = 4,
    TagRemoveObject = 5,
    TagSetBackgroundColor = 9,
    TagDefineShape2 = 22,
    TagPlaceObject2 = 26,
    TagRemoveObject2 = 28,
    TagDefineShape3 = 32,
    TagDefineButton = 7,
    TagDefineButton2 = 34,
    TagDefineSprite = 39,
    TagPlaceObject3 = 70,
    TagDefineShape4 = 83,
    TagDefineBits = 6,
    TagJpegTables = 8,
    TagDefineBitsLossless = 20,
    TagDefineBitsJpeg2 = 21,
    TagDefineBitsJpeg3 = 35,
    TagDefineBitsLossless2 = 36,
    TagDefineBitsJpeg4 = 90,
    TagDefineMorphShape = 46,
    TagDefineMorphShape2 = 84,
    TagDefineFont = 10,
    TagDefineText = 11,
    TagDefineText2 = 33,
    TagDefineEditText = 37,
    TagDefineFont2 = 48,
    TagDefineFont3 = 75,
};

bool StartsWith(std::span<const uint8_t> d, std::initializer_list<uint8_t> sig) {
    return d.size() >= sig.size() && std::equal(sig.begin(), sig.end(), d.begin());
}

// Inflates a "CWS" body. Stops at Limit bytes, at the end of the stream or at
// the first error; returns false on an error or a stream cut short.
bool Inflate(std::span<const uint8_t> In, size_t Limit, std::vector<uint8_t>& Out) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return false;
    z.next_in = const_cast<Bytef*>(In.data());
    z.avail_in = static_cast<uInt>(In.size());
    int rc = Z_OK;
    uint8_t chunk[64 * 1024];
    while (rc == Z_OK && Out.size() < Limit) {
        z.next_out = chunk;
        z.avail_out = static_cast<uInt>(std::min<size_t>(sizeof chunk, Limit - Out.size()));
        rc = inflate(&z, Z_NO_FLUSH);
        Out.insert(Out.end(), chunk, z.next_out);
        if (rc == Z_BUF_ERROR && z.avail_in == 0) break;  // input ended early
    }
    inflateEnd(&z);
    return rc == Z_STREAM_END || (rc == Z_OK && Out.size() >= Limit);
}

bool ChangesDisplayList(const TSwfFrameDef& f) { return !f.Changes.empty(); }

}  // namespace

const char* SwfStatusText(TSwfStatus Status) {
    switch (Status) {
    case TSwfStatus::Ok: return "ok";
    case TSwfStatus::NotSwf: return "not a Flash movie";
    case TSwfStatus::Unsupported: return "unsupported compression";
    case TSwfStatus::Truncated: return "truncated";
    case TSwfStatus::Malformed: return "malformed";
    }
    return "?";
}

double TSwfMovie::PlaybackRate() const {
    return std::clamp(Header.FrameRate(), 1.0, 120.0);
}

const TSwfCharacter* TSwfMovie::Find(uint16_t Id) const {
    auto it = Characters.find(Id);
    return it == Characters.end() ? nullptr : &it->second;
}

const TSwfFont* TSwfMovie::FindFont(uint16_t Id) const {
    auto it = Fonts.find(Id);
    return it == Fonts.end() ? nullptr : &it->second;
}

const TSwfBitmap* TSwfMovie::FindBitmap(uint16_t Id) const {
    auto it = Bitmaps.find(Id);
    return it == Bitmaps.end() ? nullptr : &it->second;
}

void TSwfMovie::Fail(TSwfStatus Why, std::string What) {
    // The first fault is the one worth reporting; later ones follow from it.
    if (Status != TSwfStatus::Ok) return;
    Status = Why;
    Problem = std::move(What);
}

std::unique_ptr<TSwfMovie> TSwfMovie::FromFile(const std::string& Path) {
    std::ifstream f(Path, std::ios::binary);
    std::vector<uint8_t> data;
    if (f) data.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    auto m = FromBytes(data);
    if (!f) m->Problem = "cannot open " + Path;
    return m;
}

std::unique_ptr<TSwfMovie> TSwfMovie::FromBytes(std::span<const uint8_t> Data) {
    auto m = std::make_unique<TSwfMovie>();
    TSwfHeader& h = m->Header;
    if (Data.size() >= 3) h.Signature.assign(Data.begin(), Data.begin() + 3);
    if (h.Signature != "FWS" && h.Signature != "CWS" && h.Signature != "ZWS") {
        m->Fail(TSwfStatus::NotSwf, "no movie signature");
    } else if (Data.size() < 8) {
        m->Fail(TSwfStatus::Truncated, "header cut short");
    } else {
        h.Version = Data[3];
        h.FileLength = Data[4] | Data[5] << 8 | Data[6] << 16 | uint32_t(Data[7]) << 24;
    }
    if (m->Status == TSwfStatus::Ok && h.Signature == "ZWS") m->Fail(TSwfStatus::Unsupported, "LZMA-compressed movies are not supported");
    if (m->Status != TSwfStatus::Ok) {
        m->Frames.resize(1);
        return m;
    }

    std::vector<uint8_t> inflated;
    std::span<const uint8_t> body = Data.subspan(8);
    if (h.Signature == "CWS") {
        // The stated length bounds the output, so a small file cannot expand
        // without end; a missing or absurd one falls back to the cap.
        size_t limit = h.FileLength > 8 && h.FileLength <= MaxSwfLength ? h.FileLength - 8 : MaxSwfLength;
        if (!Inflate(body, limit, inflated)) m->Fail(TSwfStatus::Malformed, "compressed data is damaged or cut short");
        body = inflated;
    } else if (h.FileLength >= 8 && h.FileLength - 8 < body.size()) {
        // Bytes after the stated end belong to no movie.
        body = body.first(h.FileLength - 8);
    }

    TSwfBitReader r(body);
    h.FrameSize = r.Rect();
    h.FrameRate88 = r.U16();
    h.FrameCount = r.U16();
    if (r.Overrun()) {
        m->Fail(TSwfStatus::Truncated, "header cut short");
        h.FrameSize = {};
    } else if (h.FrameSize.IsEmpty()) {
        m->Fail(TSwfStatus::Malformed, "stage rectangle is empty");
    }
    if (!r.Overrun()) m->ReadTags(r.Rest(), m->Frames, false);
    for (uint16_t id : m->needTables_) {
        TSwfBitmap& b = m->Bitmaps[id];
        b.Encoded = JoinJpeg(m->jpegTables_, b.Encoded);
    }
    m->needTables_.clear();
    if (m->Frames.empty()) m->Frames.resize(1);
    return m;
}

void TSwfMovie::ReadTags(std::span<const uint8_t> Data, std::vector<TSwfFrameDef>& Timeline, bool InSprite) {
    TSwfBitReader r(Data);
    TSwfFrameDef frame;
    bool ended = false;
    while (r.Remaining() > 0) {
        uint16_t codeAndLength = r.U16();
        uint32_t length = codeAndLength & 0x3F;
        if (length == 0x3F) length = r.U32();
        if (r.Overrun()) {
            Fail(TSwfStatus::Truncated, "tag header cut short");
            break;
        }
        uint16_t code = codeAndLength >> 6;
        if (length > r.Remaining()) {
            Fail(TSwfStatus::Truncated, "tag " + std::to_string(code) + " runs past the end of the data");
            break;
        }
        std::span<const uint8_t> tagBody = r.Take(length);
        if (code == TagEnd) {
            ended = true;
            break;
        }
        switch (code) {
        case TagShowFrame:
            Timeline.push_back(std::move(frame));
            frame = {};
            break;
        case TagSetBackgroundColor:
            if (!InSprite && tagBody.size() >= 3) Background = {tagBody[0], tagBody[1], tagBody[2], 255};
            break;
        case TagDefineShape:
        case TagDefineShape2:
        case TagDefineShape3:
        case TagDefineShape4: {
            if (InSprite || tagBody.size() < 2) break;
            uint16_t id = tagBody[0] | tagBody[1] << 8;
            int version = code == TagDefineShape ? 1 : code == TagDefineShape2 ? 2 : code == TagDefineShape3 ? 3 : 4;
            TSwfCharacter c;
            c.Kind = TSwfCharacter::Shape;
            if (!ReadShape(tagBody.subspan(2), version, c.ShapeDef)) Fail(TSwfStatus::Malformed, "shape " + std::to_string(id) + " is damaged");
            // A character id is defined once; later definitions are ignored.
            Characters.emplace(id, std::move(c));
            break;
        }
        case TagDefineMorphShape:
        case TagDefineMorphShape2: {
            if (InSprite || tagBody.size() < 2) break;
            uint16_t id = tagBody[0] | tagBody[1] << 8;
            if (Characters.count(id)) break;
            TSwfCharacter c;
            c.Kind = TSwfCharacter::Morph;
            if (!ReadMorphShape(tagBody.subspan(2), code == TagDefineMorphShape ? 1 : 2, c.MorphDef))
                Fail(TSwfStatus::Malformed, "shape tween " + std::to_string(id) + " is damaged");
            Characters.emplace(id, std::move(c));
            break;
        }
        case TagDefineFont:
        case TagDefineFont2:
        case TagDefineFont3: {
            if (InSprite || tagBody.size() < 2) break;
            uint16_t id = tagBody[0] | tagBody[1] << 8;
            if (Fonts.count(id)) break;
            TSwfFont font;
            int version = code == TagDefineFont ? 1 : code == TagDefineFont2 ? 2 : 3;
            if (!ReadFont(tagBody.subspan(2), version, font)) Fail(TSwfStatus::Malformed, "font " + std::to_string(id) + " is damaged");
            Fonts.emplace(id, std::move(font));
            break;
        }
        case TagDefineText:
        case TagDefineText2:
        case TagDefineEditText: {
            if (InSprite || tagBody.size() < 2) break;
            uint16_t id = tagBody[0] | tagBody[1] << 8;
            if (Characters.count(id)) break;
            TSwfCharacter c;
            bool ok;
            if (code == TagDefineEditText) {
                c.Kind = TSwfCharacter::EditText;
                ok = ReadEditText(tagBody.subspan(2), c.EditTextDef);
            } else {
                c.Kind = TSwfCharacter::Text;
                ok = ReadText(tagBody.subspan(2), code == TagDefineText ? 1 : 2, c.TextDef);
            }
            if (!ok) Fail(TSwfStatus::Malformed, "text " + std::to_string(id) + " is damaged");
            Characters.emplace(id, std::move(c));
            break;
        }
        case TagJpegTables:
            if (!InSprite && jpegTables_.empty()) jpegTables_.assign(tagBody.begin(), tagBody.end());
            break;
        case TagDefineBits:
        case TagDefineBitsLossless:
        case TagDefineBitsJpeg2:
        case TagDefineBitsJpeg3:
        case TagDefineBitsLossless2:
        case TagDefineBitsJpeg4:
            if (!InSprite) ReadBitmap(tagBody, code);
            break;
        case TagDefineSprite: {
            // Movie clips do not nest their definitions.
            if (InSprite || tagBody.size() < 4) break;
            uint16_t id = tagBody[0] | tagBody[1] << 8;
            if (Characters.count(id)) break;
            TSwfCharacter c;
            c.Kind = TSwfCharacter::Sprite;
            c.SpriteDef.FrameCount = tagBody[2] | tagBody[3] << 8;
            ReadTags(tagBody.subspan(4), c.SpriteDef.Frames, true);
            if (c.SpriteDef.Frames.empty()) c.SpriteDef.Frames.resize(1);
            Characters.emplace(id, std::move(c));
            break;
        }
        case TagPlaceObject:
        case TagPlaceObject2:
        case TagPlaceObject3:
            ReadPlaceObject(tagBody, code, frame);
            break;
        case TagRemoveObject:
        case TagRemoveObject2: {
            TSwfBitReader t(tagBody);
            if (code == TagRemoveObject) t.U16();
            TSwfPlacement p;
            p.Kind = TSwfPlacement::Remove;
            p.Depth = t.U16();
            if (t.Overrun())
                Fail(TSwfStatus::Malformed, "remove tag cut short");
            else
                frame.Changes.push_back(p);
            break;
        }
        case TagDefineButton:
        case TagDefineButton2: {
            if (InSprite || tagBody.size() < 2) break;
            uint16_t id = tagBody[0] | tagBody[1] << 8;
            TSwfCharacter c;
            c.Kind = TSwfCharacter::Button;
            if (!ReadButton(tagBody.subspan(2), code == TagDefineButton ? 1 : 2, c.ButtonDef))
                Fail(TSwfStatus::Malformed, "button " + std::to_string(id) + " is damaged");
            Characters.emplace(id, std::move(c));
            break;
        }
        default: {
            bool damaged = false;
            if (ReadScriptTag(code, tagBody, frame, damaged)) {
                if (damaged) Fail(TSwfStatus::Malformed, "frame script is damaged");
            } else if (ReadSoundTag(code, tagBody, {Sounds, SoundNames, Stream}, frame, InSprite, damaged)) {
                if (damaged) Fail(TSwfStatus::Malformed, "sound tag " + std::to_string(code) + " is damaged");
            }
            break;  // the rest of the script machinery: not run
        }
        }
    }
    if (!ended && Status == TSwfStatus::Ok) Fail(TSwfStatus::Truncated, "no end tag");
    // Changes after the last shown frame still make a frame of their own, so a
    // movie cut short shows what it got.
    if (ChangesDisplayList(frame)) Timeline.push_back(std::move(frame));
}

void TSwfMovie::ReadPlaceObject(std::span<const uint8_t> Body, int Code, TSwfFrameDef& Frame) {
    TSwfBitReader r(Body);
    TSwfPlacement p;
    if (Code == TagPlaceObject) {
        p.HasCharacter = true;
        p.CharacterId = r.U16();
        p.Depth = r.U16();
        p.HasMatrix = true;
        p.Matrix = r.Matrix();
        if (!r.Overrun() && r.Remaining() > 0) {
            p.HasColorTransform = true;
            p.ColorTransform = r.ColorTransform(false);
        }
    } else {
        uint8_t flags = r.U8();
        uint8_t flags3 = Code == TagPlaceObject3 ? r.U8() : 0;
        p.Depth = r.U16();
        p.Move = flags & 0x01;
        p.HasCharacter = flags & 0x02;
        // A class name precedes the character of an image placement.
        if ((flags3 & 0x08) && p.HasCharacter) r.String();
        else if (flags3 & 0x10) r.String();
        if (p.HasCharacter) p.CharacterId = r.U16();
        p.HasMatrix = flags & 0x04;
        if (p.HasMatrix) p.Matrix = r.Matrix();
        p.HasColorTransform = flags & 0x08;
        if (p.HasColorTransform) p.ColorTransform = r.ColorTransform(true);
        p.HasRatio = flags & 0x10;
        if (p.HasRatio) p.Ratio = r.U16();
        if (flags & 0x20) r.String();  // instance name
        if (flags & 0x40) p.ClipDepth = r.U16();
        // Filters, blend modes and clip actions follow; they change nothing shown here.
    }
    if (r.Overrun()) {
        Fail(TSwfStatus::Malformed, "placement at depth " + std::to_string(p.Depth) + " is cut short");
        return;
    }
    Frame.Changes.push_back(p);
}

void TSwfMovie::ReadBitmap(std::span<const uint8_t> Body, int Code) {
    TSwfBitReader r(Body);
    uint16_t id = r.U16();
    if (r.Overrun() || Bitmaps.count(id)) return;
    TSwfBitmap b;
    bool ok = true;
    switch (Code) {
    case TagDefineBitsLossless:
    case TagDefineBitsLossless2:
        ok = ReadLosslessBitmap(r.Rest(), Code == TagDefineBitsLossless ? 1 : 2, b);
        break;
    case TagDefineBits: {
        auto data = r.Rest();
        b.Encoded.assign(data.begin(), data.end());
        needTables_.push_back(id);
        break;
    }
    case TagDefineBitsJpeg2: {
        b.Encoded = JoinJpeg({}, r.Rest());
        break;
    }
    case TagDefineBitsJpeg3:
    case TagDefineBitsJpeg4: {
        uint32_t size = r.U32();
        if (Code == TagDefineBitsJpeg4) r.U16();  // deblocking strength
        if (r.Overrun() || size > r.Remaining()) {
            ok = false;
            break;
        }
        auto image = r.Take(size);
        b.Encoded = JoinJpeg({}, image);
        // Only a JPEG takes the alpha plane; PNG and GIF bring their own.
        bool jpeg = !StartsWith(image, {0x89, 'P', 'N', 'G'}) && !StartsWith(image, {'G', 'I', 'F', '8'});
        auto alpha = r.Rest();
        if (jpeg) b.Alpha.assign(alpha.begin(), alpha.end());
        break;
    }
    }
    if (!ok) {
        // The id stays taken by an empty picture, which draws as nothing.
        b = TSwfBitmap{};
        Fail(TSwfStatus::Malformed, "bitmap " + std::to_string(id) + " is damaged");
    }
    Bitmaps.emplace(id, std::move(b));
}
