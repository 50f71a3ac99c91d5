// Error-diffusion driver: noise thresholds, error rows, and the channel
// groups that run in parallel.
//
// A channel's rows depend on each other, so channels are the parallel unit:
// each worker zeroes its error block once and runs its channels in turn, a
// later channel starting from the error rows the previous one left. For
// images of several channels the result therefore depends on the number of
// threads the parallel region gets; single-channel images always run on the
// calling thread.
#include <omp.h>

#include <algorithm>
#include <cstdint>

#include "frame/primitives.h"
#include "qrxcore.h"
#include "reduce/bits/drivers.h"
#include "reduce/bits/levels.h"

namespace qrx {
namespace {

// Channel groups for n channels and T threads: group g holds `count[g]`
// channels from `first[g]` on.
struct ChannelGroups {
    int groups;
    int first[4];
    int count[4];
};

//   T    n = 3              n = 4
//   1    {0 1 2}            {0 1 2 3}
//   2    {0 1} {2}          {0 1} {2 3}
//   3    {0} {1} {2}        {0 1} {2} {3}
//   4+   {0} {1} {2}        {0} {1} {2} {3}
ChannelGroups channelGroups(int n, int threads) {
    if (n == 1 || threads <= 1) return {1, {0}, {n}};
    if (threads == 2) return {2, {0, 2}, {2, n - 2}};
    if (n == 4 && threads == 3) return {3, {0, 2, 3}, {2, 1, 1}};
    return {n, {0, 1, 2, 3}, {1, 1, 1, 1}};
}

// Worker blocks obtained for a region of T threads: one per thread, one
// fewer for three channels on four or more threads.
int64_t errorBlocks(int n, int threads) { return n == 3 && threads >= 4 ? threads - 1 : threads; }

template <class S, class D>
struct Diffusion {
    const S* src;
    int srcStep;
    D* dst;
    int dstStep;
    QrxRoiSize roi;
    int stride;
    bool floydSteinberg;
    DiffusionRow<S, D> row;
    DiffusionArgs args;

    // Floyd-Steinberg keeps two rows of width + 2 (one margin element on
    // each side), the wide kernels three rows of width + 4.
    int64_t blockFloats() const {
        return floydSteinberg ? 2 * int64_t(roi.width) + 4 : 3 * int64_t(roi.width) + 12;
    }

    // Channels first .. first + count - 1 in order, from a zeroed block.
    void runGroup(float* block, int first, int count) const {
        std::fill(block, block + blockFloats(), 0.0f);
        const int margin = floydSteinberg ? 1 : 2;
        const int64_t span = roi.width + 2 * margin;
        float* cur = block + margin;
        float* up = cur + span;
        float* up2 = floydSteinberg ? nullptr : up + span;
        for (int c = first; c < first + count; ++c)
            for (int y = 0; y < roi.height; ++y) {
                row(elementRow(src, srcStep, y) + c, elementRow(dst, dstStep, y) + c, roi.width,
                    stride, y, ErrorRows{cur, up, up2}, args);
                // The current row becomes the row above; the oldest is reused.
                float* const oldest = floydSteinberg ? up : up2;
                if (!floydSteinberg) up2 = up;
                up = cur;
                cur = oldest;
            }
    }
};

}  // namespace

template <class S, class D>
QrxStatus reduceDiffused(const S* src, int srcStep, D* dst, int dstStep, QrxRoiSize roi, int L,
                         int noise, int layout, QrxDitherType method) {
    const PairRows<S, D>& rows = pairRows<S, D>(bitsRows());
    const bool fs = method == qrxDitherFloydSteinberg;
    Diffusion<S, D> job{src, srcStep, dst, dstStep, roi, layoutStride(layout), fs,
                        fs ? rows.floydSteinberg[noise > 0] : rows.wide[noise > 0],
                        DiffusionArgs{Pair<S, D>::steps(L), {},
                                      method == qrxDitherStucki ? &kStucki : &kJarvisJudiceNinke}};
    NoiseScratch scratch;
    if (noise > 0) {
        // Thresholds between (50 - noise)% and (50 + noise)% of a step.
        const float step = job.args.s.step;
        const QrxStatus st = scratch.make(static_cast<float>(50 - noise) * step / 100.0f,
                                          static_cast<float>(50 + noise) * step / 100.0f);
        if (st != qrxOk) return st;
        job.args.noise = scratch.tables();
    }
    const int channels = layoutChannels(layout);
    const int64_t blockFloats = job.blockFloats();
    // Scratch sizes are counted in int; larger requests fail like any other.
    auto allocate = [&](int64_t blocks) -> float* {
        const int64_t total = blocks * blockFloats;
        return total <= INT32_MAX ? qrxsMalloc_32f(static_cast<int>(total)) : nullptr;
    };
    if (channels == 1) {
        float* block = allocate(1);
        if (!block) return qrxErrMemAlloc;
        job.runGroup(block, 0, 1);
        qrxsFree(block);
        return qrxOk;
    }
    float* blocks = nullptr;
    ChannelGroups groups{};
#pragma omp parallel num_threads(ownGetNumThreads())
    {
        // One thread learns the region's size and obtains every worker
        // block before any row is written; the single's barrier publishes them.
#pragma omp single
        {
            const int threads = omp_get_num_threads();
            groups = channelGroups(channels, threads);
            blocks = allocate(errorBlocks(channels, threads));
        }
        if (blocks) {
#pragma omp for schedule(static, 1)
            for (int g = 0; g < groups.groups; ++g)
                job.runGroup(blocks + g * blockFloats, groups.first[g], groups.count[g]);
        }
    }
    if (!blocks) return qrxErrMemAlloc;
    qrxsFree(blocks);
    return qrxOk;
}

template QrxStatus reduceDiffused(const Qrx8u*, int, Qrx8u*, int, QrxRoiSize, int, int, int,
                                  QrxDitherType);
template QrxStatus reduceDiffused(const Qrx16u*, int, Qrx16u*, int, QrxRoiSize, int, int, int,
                                  QrxDitherType);
template QrxStatus reduceDiffused(const Qrx16s*, int, Qrx16s*, int, QrxRoiSize, int, int, int,
                                  QrxDitherType);
template QrxStatus reduceDiffused(const Qrx16u*, int, Qrx8u*, int, QrxRoiSize, int, int, int,
                                  QrxDitherType);
template QrxStatus reduceDiffused(const Qrx16s*, int, Qrx8u*, int, QrxRoiSize, int, int, int,
                                  QrxDitherType);
template QrxStatus reduceDiffused(const Qrx32f*, int, Qrx8u*, int, QrxRoiSize, int, int, int,
                                  QrxDitherType);
template QrxStatus reduceDiffused(const Qrx32f*, int, Qrx16u*, int, QrxRoiSize, int, int, int,
                                  QrxDitherType);
template QrxStatus reduceDiffused(const Qrx32f*, int, Qrx16s*, int, QrxRoiSize, int, int, int,
                                  QrxDitherType);

}  // namespace qrx
