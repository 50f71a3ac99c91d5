// The fuzzer's tables: one row per exported operation, the one place where an
// entry's shape is described for the fuzzer, the corpus replay, and the
// concurrency and allocation-failure tests.
//
// A family's table lives in tests/fuzz/<subsystem>/<family>_fuzz.cpp:
//
//   const Family kGray{"colormodels/gray", {
//       {QRX_FUZZ_ENTRY(qrxiRGBToGray_8u_C3C1R), {kC3, kC1}},
//       {QRX_FUZZ_ENTRY(qrxiColorToGray_32f_C3C1R), {kC3, kC1}, {}, {}, {kWeights}},
//   }};
//
// A row gives the geometry of each image in argument order (what the
// prototype cannot say: channels, chroma subsampling, kept alpha), the
// family's rules (minimum size, required multiples, the block size below
// which +35 is returned, step checks, parameter checks, threads, scratch
// memory), the interesting values of each parameter and, where the
// parameters choose between paths, the parameter sets that reach each. The
// argument roles themselves come from the prototype (shape.h).
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "harness/shape.h"
#include "qrxcc.h"

namespace qrxfuzz {

// One plane's region: `channels` samples per pixel, the image's width and
// height divided by 2^xShift and 2^yShift, rounded up or down.
struct Plane {
    uint8_t channels = 1;
    uint8_t xShift = 0, yShift = 0;
    bool ceilX = false, ceilY = false;

    int columns(int width) const {
        if (width <= 0) return 0;
        return ceilX ? (width + (1 << xShift) - 1) >> xShift : width >> xShift;
    }
    int rows(int height) const {
        if (height <= 0) return 0;
        return ceilY ? (height + (1 << yShift) - 1) >> yShift : height >> yShift;
    }
};

// What the operation does with an image. Auto: read when the prototype makes
// it const, else written (or read and written, when the operation has no
// read-only image: the in-place forms).
enum class Access : uint8_t { Auto, Read, Write, ReadWrite, Scratch };

// Which size an image has: the region's, the larger source's of the
// demosaicing entries (which read around the region), or one of its own
// (a caller's scratch rows), given by `extent`.
enum class SizedBy : uint8_t { Roi, Sensor, Own };

struct Image {
    std::array<Plane, 4> plane{};
    uint8_t planes = 1;
    int8_t kept = -1;  // a channel whose bytes the operation leaves as they were
    Access access = Access::Auto;
    SizedBy sizedBy = SizedBy::Roi;
    QrxRoiSize (*extent)(const Call&) = nullptr;  // for SizedBy::Own
    // A null pointer here is no error: the call does nothing and succeeds
    // (a caller's scratch rows that the operation does not check).
    bool nullDoesNothing = false;
};

// ---- the layouts of the tables ----------------------------------------------
constexpr Image interleaved(int channels) { return Image{{Plane{uint8_t(channels)}}, 1}; }
constexpr Image planar(int count) {
    return Image{{Plane{}, Plane{}, Plane{}, Plane{}}, uint8_t(count)};
}
// Y at full size and two chroma planes of 1/2^xs by 1/2^ys.
constexpr Image chroma(int xs, int ys, bool ceil) {
    const Plane c{1, uint8_t(xs), uint8_t(ys), ceil, ceil};
    return Image{{Plane{}, c, c}, 3};
}
constexpr Image keeping(Image im, int channel) {
    im.kept = int8_t(channel);
    return im;
}

inline constexpr Image kC1 = interleaved(1);
inline constexpr Image kC3 = interleaved(3);
inline constexpr Image kC4 = interleaved(4);           // all four channels written
inline constexpr Image kAC4 = keeping(interleaved(4), 3);  // the fourth byte kept
inline constexpr Image kAC4Read = interleaved(4);      // a source's ignored fourth byte
inline constexpr Image kPacked422 = interleaved(2);    // Y0 Cb Y1 Cr: two bytes a pixel
inline constexpr Image kP3 = planar(3);
inline constexpr Image kP4 = planar(4);
// Subsampled planes: 4:2:0 chroma covers whole 2x2 blocks; 4:2:2 and 4:1:1
// chroma covers a last partial pair or group where the operation writes or
// reads one (`ceil`), or whole ones only.
inline constexpr Image kP420 = chroma(1, 1, false);
inline constexpr Image kP422 = chroma(1, 0, true);
inline constexpr Image kP422Whole = chroma(1, 0, false);
inline constexpr Image kP411 = chroma(2, 0, true);
inline constexpr Image kP411Whole = chroma(2, 0, false);

// ---- rules ------------------------------------------------------------------
// A property of a call that its parameters or its size decide (whether it
// opens a parallel region, takes scratch memory, ...); null means never.
using CallTest = bool (*)(const Call&);
inline bool always(const Call&) { return true; }
// The row-parallel colour models go parallel above 4096 pixels.
inline bool aboveTile(const Call& c) { return int64_t(c.roi.width) * c.roi.height > 4096; }

struct Rules {
    QrxRoiSize min{1, 1};         // smaller fails with qrxErrSize
    QrxRoiSize multipleOf{1, 1};  // not a multiple fails with qrxErrSize
    QrxRoiSize blocks{1, 1};      // not a multiple converts whole blocks and returns +35
    bool stepsChecked = false;    // a step below 1 fails with qrxErrStep
    // The size failure where min and multipleOf do not say it (the
    // demosaicing entries test the larger source), or qrxOk.
    QrxStatus (*sizeStatus)(const Call&) = nullptr;
    // The failure the family's own parameters cause, or qrxOk.
    QrxStatus (*paramStatus)(const Call&) = nullptr;
    // A status the data may give instead of success (tone mapping's +1,
    // which leaves the destination as it was).
    QrxStatus dataStatus = qrxOk;
    // The data status is decided before the destination pointer is tested,
    // so a null destination may give it too.
    bool dataBeforeDestination = false;
    // Valid parameters with which the call succeeds and writes nothing
    // (ReduceBits' unknown dither types).
    CallTest doesNothing = nullptr;
    CallTest threaded = nullptr;         // opens a parallel region
    CallTest allocates = nullptr;        // takes scratch memory (allocation-failure rows)
    // Results depend on the thread count by design: compared with the scalar
    // kernels at the same thread count instead of on one thread.
    CallTest threadDependent = nullptr;
    QrxRoiSize busy{136, 132};    // a size that reaches the threaded or allocating paths
};

// Interesting values of one parameter; the fuzzer also tries arbitrary ones.
struct IntValues {
    std::vector<int> values;
};
struct FloatValues {
    std::vector<Qrx32f> values;
};

struct Entry {
    const char* name;
    Shape shape;
    Invoker invoke;
    std::vector<Image> images;
    Rules rules{};
    std::vector<IntValues> ints{};
    std::vector<FloatValues> floats{};
    // Further integer parameter sets that choose other paths (ReduceBits'
    // methods): the concurrency and allocation-failure tests and the seeds
    // call the entry with each, besides the first listed values.
    std::vector<std::array<int, kMaxParams>> busyInts{};
    const char* family = "";
    uint32_t key = 0;  // stable hash of the name: how fuzz inputs name the entry
};

#define QRX_FUZZ_ENTRY(fn) #fn, ::qrxfuzz::shapeOf(&fn), &::qrxfuzz::invoke<&fn>

// Registers a family's rows (a static object in each table file).
struct Family {
    Family(const char* path, std::initializer_list<Entry> entries);
};

// Every registered row, ordered by key.
const std::vector<Entry>& entries();
const Entry* findEntry(const std::string& name);
uint32_t entryKey(const char* name);

// The alpha argument of four-channel outputs: only its low byte is stored.
inline const IntValues kAlphaValues{{0, 90, 255, 0x1FF, -1, 0x100}};

// Problems in a row (images or parameters that do not match the prototype);
// empty when the row is sound.
std::string rowProblems(const Entry& e);

// The access of image i of the entry, with Auto resolved.
Access accessOf(const Entry& e, int i);

}  // namespace qrxfuzz
