// The three drivers of the bit-depth reduction, called by the entries after
// their checks. L is the level count minus one; `layout` is 1 (C1), 3 (C3),
// 4 (AC4: channels 0..2 of four) or 5 (C4). Each returns qrxOk, or
// qrxErrMemAlloc with nothing written when scratch memory is not available.
#pragma once

#include <cstddef>

#include "qrxcc.h"
#include "reduce/bits/rows.h"

namespace qrx {

// Row y of an image of T whose rows are `step` bytes apart. The step counts
// whole elements, rounded down: an odd step of a 16-bit image acts as the
// even step below it, so rows always start on an element.
template <class T>
inline T* elementRow(T* base, int step, int y) {
    constexpr int kShift = sizeof(T) == 1 ? 0 : sizeof(T) == 2 ? 1 : 2;
    return base + static_cast<std::ptrdiff_t>(step >> kShift) * y;
}

// Elements per pixel and channels reduced, by layout code.
inline int layoutStride(int layout) { return layout < 4 ? layout : 4; }
inline int layoutChannels(int layout) { return layout == 5 ? 4 : (layout == 1 ? 1 : 3); }

// No dither: rows top to bottom on the calling thread, no scratch.
template <class S, class D>
QrxStatus reducePlain(const S* src, int srcStep, D* dst, int dstStep, QrxRoiSize roi, int L,
                      int layout);

// 4 x 4 ordered dither, with random offsets when noise > 0; rows in
// contiguous blocks, one per thread.
template <class S, class D>
QrxStatus reduceOrdered(const S* src, int srcStep, D* dst, int dstStep, QrxRoiSize roi, int L,
                        int noise, int layout);

// Error diffusion (Floyd-Steinberg, Jarvis-Judice-Ninke or Stucki), with
// random thresholds when noise > 0; channels in groups, one per worker.
template <class S, class D>
QrxStatus reduceDiffused(const S* src, int srcStep, D* dst, int dstStep, QrxRoiSize roi, int L,
                         int noise, int layout, QrxDitherType method);

// The noise tables of one call: 1024 values from the seeded float
// generator over [low, high) and 1024 indices from the seeded 16-bit
// generator over [0, 1024). Everything is released by the destructor.
class NoiseScratch {
public:
    NoiseScratch() = default;
    NoiseScratch(const NoiseScratch&) = delete;
    NoiseScratch& operator=(const NoiseScratch&) = delete;
    ~NoiseScratch();
    // qrxOk, or qrxErrMemAlloc after releasing what was obtained.
    QrxStatus make(Qrx32f low, Qrx32f high);
    NoiseTables tables() const { return {values_, idx_}; }

private:
    Qrx32f* values_ = nullptr;
    Qrx16s* idx_ = nullptr;
};

}  // namespace qrx
