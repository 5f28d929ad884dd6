#pragma once
// Where a slider sits on a track, which position a point on the track stands
// for, where the tick marks go, and how long a scroll bar's thumb is. Pure
// arithmetic for the track bars and the scroll bar.
//
// Lengths are along the track's axis: Length is the control's, SliderLength
// the slider's. Ranges may span the whole of int (Min -2^31, Max 2^31 - 1)
// and lengths may be 0 or larger than the control: every product is formed
// wide enough to be exact and narrowed only after the division, so no
// combination overflows.

#include <cstdint>
#include <vector>

// The slider's offset along the axis for Position (expected within
// Min..Max): (Position - Min) x (Length - SliderLength) div (Max - Min),
// truncated toward zero; 0 when Min = Max.
int SliderOffset(int Position, int Min, int Max, int Length, int SliderLength);

// The offset across the axis: the slider centred, never above or left of 0.
int SliderCrossOffset(int CrossLength, int SliderCrossLength);

// The position whose slider centre lies under Coordinate: Min plus
// (Coordinate - SliderLength div 2) x (Max - Min) / (Length - SliderLength),
// rounded to the nearest integer with halves to the even neighbour; 0 (not
// Min) when the slider is as long as the control. Not clamped to Min..Max;
// only a result beyond what int holds is saturated at its ends.
int PositionFromCoordinate(int Coordinate, int Min, int Max, int Length, int SliderLength);

// Offsets of the tick marks along the axis, in drawing order: ticks stand at
// Min, every Frequency-th position after it and always at Max (with
// Frequency <= 0 only at Min and Max), each at SliderOffset + SliderLength
// div 2. Ticks landing on the pixel of the one before are given once, so a
// huge range costs time by pixels, not by positions. None when Min >= Max.
std::vector<int> TickOffsets(int Min, int Max, int Frequency, int Length, int SliderLength);

// A scroll bar thumb's length on a track TrackLength long: a LineButton above
// 0 is the length (below 18 counts as 18); else PageSize percent of the
// track, a page size outside 10..100 counting as 10. Never negative.
int ThumbLength(int TrackLength, int PageSize, int LineButton);
