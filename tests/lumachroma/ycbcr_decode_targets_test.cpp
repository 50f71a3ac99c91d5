// Every instruction-set build of the YCbCr decoder rows gives the scalar
// results, byte for byte, across the vector block sizes, the split between
// vector and scalar columns, and the odd last pixel.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "guarded_image.h"
#include "lumachroma/ycbcr_decode/rows.h"
#include "targets.h"

namespace {

using qrx::YcbcrDecodeRows;
using qrxtest::GuardedImage;
using Rows = YcbcrDecodeRows;

constexpr Qrx8u kAlpha = 0xA7;

// One table entry: the bytes of each source and destination row for a
// width, and how to call the entry on them.
struct Case {
    const char* name;
    std::function<std::vector<int>(int)> in, out;
    std::function<void(const Rows&, const Qrx8u* const*, Qrx8u* const*, int)> run;
};

int halves(int w) { return (w + 1) / 2; }
int quarters(int w) { return (w + 3) / 4; }

Case packed(const char* name, Rows::PackedToPacked Rows::*row, int channels) {
    return {name, [](int w) { return std::vector<int>{2 * w}; },
            [channels](int w) { return std::vector<int>{channels * w}; },
            [row](const Rows& t, const Qrx8u* const* s, Qrx8u* const* d, int w) {
                (t.*row)(s[0], d[0], w, kAlpha);
            }};
}

Case packedToPlanes(const char* name, Rows::PackedToPlanar Rows::*row) {
    return {name, [](int w) { return std::vector<int>{2 * w}; },
            [](int w) { return std::vector<int>{w, w, w}; },
            [row](const Rows& t, const Qrx8u* const* s, Qrx8u* const* d, int w) {
                (t.*row)(s[0], d, w);
            }};
}

Case planes(const char* name, Rows::PlanarToPacked Rows::*row, int (*chroma)(int), int channels) {
    return {name, [chroma](int w) { return std::vector<int>{w, chroma(w), chroma(w)}; },
            [channels](int w) { return std::vector<int>{channels * w}; },
            [row](const Rows& t, const Qrx8u* const* s, Qrx8u* const* d, int w) {
                (t.*row)(s, d[0], w, kAlpha);
            }};
}

Case rowPair(const char* name, Rows::RowPair Rows::*row, int channels) {
    return {name, [](int w) { return std::vector<int>{w, w, halves(w), halves(w)}; },
            [channels](int w) { return std::vector<int>{channels * w, channels * w}; },
            [row](const Rows& t, const Qrx8u* const* s, Qrx8u* const* d, int w) {
                (t.*row)(s, d, w, kAlpha);
            }};
}

const std::vector<Case> kCases = {
    packed("ycbcr422ToRgbC2C3", &Rows::ycbcr422ToRgbC2C3, 3),
    packed("ycrcb422ToRgbC2C3", &Rows::ycrcb422ToRgbC2C3, 3),
    packedToPlanes("ycbcr422ToRgbC2P3", &Rows::ycbcr422ToRgbC2P3),
    packedToPlanes("ycrcb422ToRgbC2P3", &Rows::ycrcb422ToRgbC2P3),
    packed("ycbcr422ToBgrC2C3", &Rows::ycbcr422ToBgrC2C3, 3),
    packed("ycbcr422ToBgrC2C4", &Rows::ycbcr422ToBgrC2C4, 4),
    planes("ycbcr422ToRgbP3C3", &Rows::ycbcr422ToRgbP3C3, halves, 3),
    planes("ycbcr422ToBgrP3C3", &Rows::ycbcr422ToBgrP3C3, halves, 3),
    planes("ycbcr411ToBgrP3C3", &Rows::ycbcr411ToBgrP3C3, quarters, 3),
    planes("ycbcr411ToBgrP3C4", &Rows::ycbcr411ToBgrP3C4, quarters, 4),
    rowPair("ycbcr420ToBgrC3", &Rows::ycbcr420ToBgrC3, 3),
    rowPair("ycbcr420ToBgrC4", &Rows::ycbcr420ToBgrC4, 4),
    rowPair("ycbcr420ToRgbC3", &Rows::ycbcr420ToRgbC3, 3),
    rowPair("ycbcr420ToRgbC4", &Rows::ycbcr420ToRgbC4, 4),
    rowPair("ycbcr420ToBgrFilteredC4", &Rows::ycbcr420ToBgrFilteredC4, 4),
};

using Row = std::unique_ptr<GuardedImage<Qrx8u>>;

// Rows of the given byte counts, each ending at a guard page.
std::vector<Row> rows(const std::vector<int>& bytes) {
    std::vector<Row> out;
    for (int n : bytes) {
        out.push_back(std::make_unique<GuardedImage<Qrx8u>>(n, 1, 1));
        out.back()->fill(0x5A);
    }
    return out;
}

template <class P>
std::vector<P> pointers(const std::vector<Row>& r) {
    std::vector<P> p;
    for (const Row& i : r) p.push_back(i->ptr());
    return p;
}

enum class Values { Random, Extremes };

void runCase(const Case& c, const Rows& ref, const Rows& table, int w, Values values,
             unsigned seed) {
    std::vector<Row> src = rows(c.in(w)), want = rows(c.out(w)), got = rows(c.out(w));
    for (Row& r : src) {
        r->randomize(seed++);
        if (values == Values::Extremes)
            for (int x = 0; x < r->width(); ++x) r->at(x, 0) = r->at(x, 0) < 128 ? 0 : 255;
    }
    const std::vector<const Qrx8u*> in = pointers<const Qrx8u*>(src);
    const std::vector<Qrx8u*> refOut = pointers<Qrx8u*>(want), out = pointers<Qrx8u*>(got);
    c.run(ref, in.data(), refOut.data(), w);
    c.run(table, in.data(), out.data(), w);
    for (size_t i = 0; i < got.size(); ++i) {
        ASSERT_EQ(std::memcmp(want[i]->ptr(), got[i]->ptr(), got[i]->width()), 0)
            << c.name << " output " << i;
        ASSERT_TRUE(got[i]->untouchedOutside()) << c.name << " output " << i;
    }
}

TEST(YcbcrDecodeTargets, EveryTargetMatchesScalar) {
    const Rows& ref = *qrx::ycbcrDecodeRowsFor(qrx::Target::Scalar);
    std::vector<int> widths = qrxtest::kEdgeWidths;
    for (int w : {6, 10, 14, 62, 66, 68, 70, 126, 128, 130, 131, 1920}) widths.push_back(w);
    for (qrx::Target t : qrxtest::vectorTargets()) {
        const Rows* table = qrx::ycbcrDecodeRowsFor(t);
        ASSERT_NE(table, nullptr);
        unsigned seed = 1;
        for (const Case& c : kCases)
            for (int w : widths)
                for (Values v : {Values::Random, Values::Extremes}) {
                    SCOPED_TRACE(::testing::Message() << qrx::targetName(t) << " width " << w);
                    runCase(c, ref, *table, w, v, seed += 8);
                }
    }
}

// The dispatched table is one of the built ones and the widest this
// processor runs.
TEST(YcbcrDecodeTargets, DispatchPicksTheWidestRunnableTable) {
    const std::vector<qrx::Target> runnable = qrxtest::vectorTargets();
    const qrx::Target widest = runnable.empty() ? qrx::Target::Scalar : runnable.back();
    EXPECT_EQ(&qrx::ycbcrDecodeRows(), qrx::ycbcrDecodeRowsFor(widest));
}

}  // namespace
