// Ordered dithering of 8-bit samples to 8 bits in 16-bit fixed point.
//
// Without noise the stored byte depends only on the sample s (256 values)
// and the matrix position p (16), through the level index j = k + raised:
// k = trunc(s x recip), raised when s - k step is above the entry's
// threshold. For each position j is a staircase in s with L / 255 steps per
// sample, and the byte stored for a level depends on j alone. Both are
// straight lines rounded down, so for most level counts they are reproduced
// exactly by
//
//   h   = ((256 s) x mul[p]) >> 16          the sample on a finer scale
//   idx = (h + add[p]) & mask               j << shift, mask = ~(2^shift - 1)
//   out = ((idx x scale) >> 16) >> valueShift, saturated to 0..255
//
// except for a sample of 255, whose byte is top[p]: only that sample can
// reach the highest level without being raised, and the float product L x
// step may truncate one below the raised level's byte (31 x 8.2258062 is
// 254.99998, while 8.2258062 + 30 x 8.2258062 is 255).
//
// with every intermediate in 16 bits, constants found per level count. The
// float rule's rounding bends the lines here and there; a plan is only used
// after it was checked against the float rule for all 16 x 256 pairs, and
// level counts without a plan keep the float rows.
#pragma once

#include <cstdint>

namespace qrx {

inline constexpr int kBytePlanPositions = 16;  // 4 (y mod 4) + (x mod 4)

struct BytePlan {
    bool exact;                           // checked against the float rule
    uint16_t mul[kBytePlanPositions];
    uint16_t add[kBytePlanPositions];
    uint8_t top[kBytePlanPositions];      // stored for a sample of 255
    uint16_t mask;
    uint16_t scale;
    int valueShift;
    // The same per matrix row, as the vector rows load them: the 16-bit mul
    // of columns 0..3 then their add, and top of column i & 3 in byte i.
    alignas(16) uint8_t rowFactors[4][16];
    alignas(16) uint8_t rowTop[4][16];
};

// The byte the vector rows store for sample s at position p.
inline uint8_t bytePlanValue(const BytePlan& b, int p, int s) {
    if (s == 255) return b.top[p];
    const uint32_t h = (256u * static_cast<uint32_t>(s) * b.mul[p]) >> 16;
    const uint32_t idx = ((h + b.add[p]) & b.mask) & 0xffffu;
    const uint32_t v = ((idx * b.scale) >> 16) >> b.valueShift;
    // The 16-bit lanes are packed to bytes as signed values.
    const int sv = static_cast<int16_t>(static_cast<uint16_t>(v));
    return static_cast<uint8_t>(sv < 0 ? 0 : (sv > 255 ? 255 : sv));
}

// The plan of L steps (levels - 1, 1..255): made and checked on the first
// call for that L, then shared, read-only, by every later call.
const BytePlan& bytePlan(int L);

// The same, made afresh (for tests and the first call).
BytePlan makeBytePlan(int L);

}  // namespace qrx
