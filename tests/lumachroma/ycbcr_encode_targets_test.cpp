// Every instruction-set build of the YCbCr encoder rows writes the scalar
// results, byte for byte, at widths around each vector step, on random and
// on black-and-white rows; each source and output row ends at a guard page.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "guarded_image.h"
#include "lumachroma/ycbcr_encode/rows.h"
#include "targets.h"

namespace {

using qrx::YcbcrEncodeRows;
using qrxtest::GuardedImage;
using Rows = YcbcrEncodeRows;
using U8 = Qrx8u;
using U16 = Qrx16u;

// Source rows (one or two, each one to three planes) and up to four outputs.
struct Io {
    const U8* src[2][3];
    U8* out[4];
    int width;
};

template <class S>
const S* as(const U8* p) {
    return reinterpret_cast<const S*>(p);
}

template <class S, Rows::PlanesRow<S> Rows::*F>
void planes(const Rows& t, const Io& io) {
    (t.*F)(as<S>(io.src[0][0]), io.out[0], io.out[1], io.out[2], io.width);
}
template <class S, Rows::PackedRow<S> Rows::*F>
void packed(const Rows& t, const Io& io) {
    (t.*F)(as<S>(io.src[0][0]), io.out[0], io.width);
}
template <Rows::PlanarPackedRow Rows::*F>
void planarPacked(const Rows& t, const Io& io) {
    (t.*F)(io.src[0][0], io.src[0][1], io.src[0][2], io.out[0], io.width);
}
template <class S, Rows::RowPair<S> Rows::*F>
void rowPair(const Rows& t, const Io& io) {
    (t.*F)(as<S>(io.src[0][0]), as<S>(io.src[1][0]), io.out[0], io.out[1], io.out[2], io.out[3],
           io.width);
}
template <class S, Rows::LumaRow<S> Rows::*F>
void lumaRow(const Rows& t, const Io& io) {
    (t.*F)(as<S>(io.src[0][0]), io.out[0], io.width);
}

// Output sizes: 1 = width, 2 = width / 2, 4 = width / 4, -2 = 2 x width.
struct Entry {
    const char* name;
    int bytes, planes, rows;
    int out[4];
    void (*run)(const Rows&, const Io&);
};

// clang-format off
const Entry kEntries[] = {
    {"rgbTo422", 3, 1, 1, {1, 2, 2}, planes<U8, &Rows::rgbTo422>},
    {"bgrTo422", 3, 1, 1, {1, 2, 2}, planes<U8, &Rows::bgrTo422>},
    {"bgraTo422", 4, 1, 1, {1, 2, 2}, planes<U8, &Rows::bgraTo422>},
    {"bgr555To422", 2, 1, 1, {1, 2, 2}, planes<U16, &Rows::bgr555To422>},
    {"bgr565To422", 2, 1, 1, {1, 2, 2}, planes<U16, &Rows::bgr565To422>},
    {"rgbToYCbCr422Packed", 3, 1, 1, {-2}, packed<U8, &Rows::rgbToYCbCr422Packed>},
    {"rgbToYCrCb422Packed", 3, 1, 1, {-2}, packed<U8, &Rows::rgbToYCrCb422Packed>},
    {"rgbPlanarToYCbCr422Packed", 1, 3, 1, {-2}, planarPacked<&Rows::rgbPlanarToYCbCr422Packed>},
    {"rgbPlanarToYCrCb422Packed", 1, 3, 1, {-2}, planarPacked<&Rows::rgbPlanarToYCrCb422Packed>},
    {"bgrTo422Packed", 3, 1, 1, {-2}, packed<U8, &Rows::bgrTo422Packed>},
    {"bgraTo422Packed", 4, 1, 1, {-2}, packed<U8, &Rows::bgraTo422Packed>},
    {"bgr555To422Packed", 2, 1, 1, {-2}, packed<U16, &Rows::bgr555To422Packed>},
    {"bgr565To422Packed", 2, 1, 1, {-2}, packed<U16, &Rows::bgr565To422Packed>},
    {"rgbTo420", 3, 1, 2, {1, 1, 2, 2}, rowPair<U8, &Rows::rgbTo420>},
    {"rgbaTo420", 4, 1, 2, {1, 1, 2, 2}, rowPair<U8, &Rows::rgbaTo420>},
    {"bgrTo420", 3, 1, 2, {1, 1, 2, 2}, rowPair<U8, &Rows::bgrTo420>},
    {"bgraTo420", 4, 1, 2, {1, 1, 2, 2}, rowPair<U8, &Rows::bgraTo420>},
    {"bgr555To420", 2, 1, 2, {1, 1, 2, 2}, rowPair<U16, &Rows::bgr555To420>},
    {"bgr565To420", 2, 1, 2, {1, 1, 2, 2}, rowPair<U16, &Rows::bgr565To420>},
    {"bgr555Luma", 2, 1, 1, {1}, lumaRow<U16, &Rows::bgr555Luma>},
    {"bgr565Luma", 2, 1, 1, {1}, lumaRow<U16, &Rows::bgr565Luma>},
    {"bgrTo411", 3, 1, 1, {1, 4, 4}, planes<U8, &Rows::bgrTo411>},
    {"bgraTo411", 4, 1, 1, {1, 4, 4}, planes<U8, &Rows::bgraTo411>},
    {"bgr555To411", 2, 1, 1, {1, 4, 4}, planes<U16, &Rows::bgr555To411>},
    {"bgr565To411", 2, 1, 1, {1, 4, 4}, planes<U16, &Rows::bgr565To411>},
};
// clang-format on

using Img = GuardedImage<U8>;

// Output rows of one entry at one width, prefilled with a value no encoder
// writes, so that unwritten bytes compare equal only if both left them.
struct Outputs {
    std::vector<std::unique_ptr<Img>> img;
    Outputs(const Entry& e, int width) {
        for (int size : e.out) {
            if (size == 0) break;
            img.push_back(std::make_unique<Img>(size < 0 ? -size * width : width / size, 1));
            img.back()->fill(3);
        }
    }
    void into(Io& io) {
        for (size_t i = 0; i < img.size(); ++i) io.out[i] = img[i]->ptr();
    }
};

// Sources: random bytes, or every byte 0 or 255 (extreme values).
std::vector<std::unique_ptr<Img>> sources(const Entry& e, int width, uint32_t seed, bool extremes) {
    std::vector<std::unique_ptr<Img>> src;
    for (int i = 0; i < e.rows * e.planes; ++i) {
        src.push_back(std::make_unique<Img>(width, 1, e.bytes));
        Img& s = *src.back();
        s.randomize(seed + i, 0, extremes ? 1 : 255);
        if (extremes)
            for (int b = 0; b < width * e.bytes; ++b) s.row(0)[b] = s.row(0)[b] ? 255 : 0;
    }
    return src;
}

TEST(YcbcrEncodeTargets, EveryTargetMatchesScalar) {
    const Rows& ref = *qrx::ycbcrEncodeRowsFor(qrx::Target::Scalar);
    std::vector<int> widths = qrxtest::kEdgeWidths;
    for (int w : {6, 10, 12, 62, 66, 96, 130, 191, 192, 193, 256, 1921}) widths.push_back(w);
    for (qrx::Target t : qrxtest::vectorTargets()) {
        const Rows* table = qrx::ycbcrEncodeRowsFor(t);
        ASSERT_NE(table, nullptr);
        for (const Entry& e : kEntries)
            for (int width : widths)
                for (bool extremes : {false, true}) {
                    const auto src = sources(e, width, static_cast<uint32_t>(width), extremes);
                    Io io{};
                    io.width = width;
                    for (int i = 0; i < e.rows * e.planes; ++i)
                        io.src[i / e.planes][i % e.planes] = src[i]->ptr();
                    Outputs want(e, width), got(e, width);
                    want.into(io);
                    e.run(ref, io);
                    got.into(io);
                    e.run(*table, io);
                    for (size_t i = 0; i < got.img.size(); ++i) {
                        const Img &a = *want.img[i], &b = *got.img[i];
                        ASSERT_EQ(std::memcmp(a.ptr(), b.ptr(), a.width()), 0)
                            << qrx::targetName(t) << ' ' << e.name << " width " << width
                            << " output " << i << (extremes ? " extremes" : " random");
                        ASSERT_TRUE(b.untouchedOutside()) << e.name << " width " << width;
                    }
                }
    }
}

}  // namespace
