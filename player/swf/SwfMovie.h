#pragma once
// A movie file read into memory: header, background, the dictionary of shapes
// and movie clips, and the main timeline as per-frame display-list changes.
// Reading never fails hard: whatever the bytes are, the result is a movie of at
// least one frame, and Status says what was wrong with the file.

#include "SwfBitmap.h"
#include "SwfActions.h"
#include "SwfShape.h"
#include "SwfSound.h"
#include "SwfText.h"
#include "SwfTypes.h"

#include <Object.h>

#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

enum class TSwfStatus {
    Ok,
    NotSwf,       // no known signature; nothing was read
    Unsupported,  // "ZWS" (LZMA) movies
    Truncated,    // the data ended early; what came before is kept
    Malformed,    // a header field, a tag or a compressed stream made no sense
};

const char* SwfStatusText(TSwfStatus Status);

struct TSwfHeader {
    std::string Signature;      // "FWS", "CWS", "ZWS"
    uint8_t Version = 0;
    uint32_t FileLength = 0;    // as stated by the file
    TSwfRect FrameSize;         // the stage, twips
    uint16_t FrameRate88 = 0;   // frames per second, 8.8 fixed point
    uint16_t FrameCount = 0;    // as stated by the file
    double FrameRate() const { return FrameRate88 / 256.0; }
};

// One change to a timeline's display list.
struct TSwfPlacement {
    enum TKind : uint8_t { Place, Remove };
    TKind Kind = Place;
    uint16_t Depth = 0;
    bool Move = false;          // modifies the object already at Depth
    bool HasCharacter = false;
    uint16_t CharacterId = 0;
    bool HasMatrix = false;
    TSwfMatrix Matrix;
    bool HasColorTransform = false;
    TSwfColorTransform ColorTransform;
    uint16_t ClipDepth = 0;     // non-zero: a mask layer
    bool HasRatio = false;
    uint16_t Ratio = 0;         // how far a shape tween has come, of 65535
};

struct TSwfFrameDef {
    std::vector<TSwfPlacement> Changes;
    std::vector<TSwfAction> Actions;    // run after the changes, in order
    std::vector<std::string> Labels;
    std::vector<TSwfSoundEvent> Sounds;  // event sounds started or stopped here
    std::vector<uint8_t> StreamBlock;    // the stream's sound for this frame
};

// A button as it looks when nothing touches it: its up-state characters as
// the one frame of a timeline of its own.
struct TSwfButton {
    std::vector<TSwfFrameDef> UpState;  // one frame
};

struct TSwfSprite {
    uint16_t FrameCount = 0;    // as stated by the tag
    std::vector<TSwfFrameDef> Frames;  // at least one
};

struct TSwfCharacter {
    enum TKind : uint8_t { Shape, Sprite, Morph, Text, EditText, Button };
    TKind Kind = Shape;
    TSwfShape ShapeDef;
    TSwfSprite SpriteDef;
    TSwfMorphShape MorphDef;
    TSwfText TextDef;
    TSwfEditText EditTextDef;
    TSwfButton ButtonDef;
};

class TSwfMovie : public TObject {
public:
    std::string ClassName() const override { return "TSwfMovie"; }

    // Reads a whole movie. Never throws for bad data.
    static std::unique_ptr<TSwfMovie> FromBytes(std::span<const uint8_t> Data);
    // Reads a file; a file that cannot be opened reads as empty data (NotSwf).
    static std::unique_ptr<TSwfMovie> FromFile(const std::string& Path);

    TSwfStatus Status = TSwfStatus::Ok;
    std::string Problem;        // what was wrong, for logs and tests
    TSwfHeader Header;
    TSwfRgba Background{255, 255, 255, 255};
    std::map<uint16_t, TSwfCharacter> Characters;
    // Pictures by character id, for bitmap fills.
    std::map<uint16_t, TSwfBitmap> Bitmaps;
    std::map<uint16_t, TSwfFont> Fonts;
    std::vector<TSwfFrameDef> Frames;   // the main timeline, at least one frame
    std::map<uint16_t, TSwfSound> Sounds;
    std::map<std::string, uint16_t> SoundNames;  // exported names of characters
    TSwfStreamHead Stream;              // the main timeline's sound stream

    int TotalFrames() const { return static_cast<int>(Frames.size()); }
    // The stage, or an empty rectangle when the header had no usable one.
    TSwfRect Stage() const { return Header.FrameSize.IsEmpty() ? TSwfRect{} : Header.FrameSize; }
    // The rate playback uses: the stated rate kept within 1..120 frames per second,
    // so a zero or absurd rate neither freezes a movie nor spins the processor.
    double PlaybackRate() const;

    const TSwfCharacter* Find(uint16_t Id) const;
    const TSwfBitmap* FindBitmap(uint16_t Id) const;
    const TSwfFont* FindFont(uint16_t Id) const;

private:
    void Fail(TSwfStatus Why, std::string What);
    void ReadTags(std::span<const uint8_t> Data, std::vector<TSwfFrameDef>& Timeline, bool InSprite);
    void ReadPlaceObject(std::span<const uint8_t> Body, int Code, TSwfFrameDef& Frame);
    void ReadBitmap(std::span<const uint8_t> Body, int Code);

    std::vector<uint8_t> jpegTables_;
    std::vector<uint16_t> needTables_;  // DefineBits pictures, joined with the tables at the end
};

// Upper limit of the decompressed size of a "CWS" movie; a stated length above
// it is treated as damage rather than honoured.
constexpr uint32_t MaxSwfLength = 256u << 20;
