// The fuzz tables and harness: every exported entry has a sound row, the
// checked-in corpus passes, and the harness notices the faults it exists to
// find.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "frame/dispatch.h"
#include "harness/harness.h"
#include "qrxcore.h"
#include "targets.h"

#if defined(__SANITIZE_ADDRESS__)
#define QRX_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QRX_TEST_ASAN 1
#endif
#endif
#ifndef QRX_TEST_ASAN
#define QRX_TEST_ASAN 0
#endif

namespace qrxfuzz {
namespace {

// ---- shapes read off prototypes, for every kind of prototype in the header ----

constexpr Shape kP420ToC4 = shapeOf(&qrxiYCbCr420ToBGR_8u_P3C4R);
static_assert(kP420ToC4.images == 2 && kP420ToC4.image[0].planar && !kP420ToC4.image[0].writable &&
              kP420ToC4.image[0].steps == Steps::PerPlane && !kP420ToC4.image[1].planar &&
              kP420ToC4.image[1].writable && kP420ToC4.image[1].steps == Steps::One && kP420ToC4.ints == 1 &&
              kP420ToC4.arg[5].role == Arg::Int);

constexpr Shape kWhole = shapeOf(&qrxiRGBToYUV420_8u_C3P3);
static_assert(kWhole.images == 2 && kWhole.image[0].steps == Steps::None &&
              kWhole.image[1].steps == Steps::None && kWhole.args == 3);

constexpr Shape kTwoPlane = shapeOf(&qrxiYCbCr420_8u_P2P3R);
static_assert(kTwoPlane.images == 3 && kTwoPlane.image[0].steps == Steps::One &&
              kTwoPlane.image[1].steps == Steps::One && kTwoPlane.image[2].planar &&
              kTwoPlane.image[2].steps == Steps::PerPlane);

constexpr Shape kSlices = shapeOf(&qrxiYCbCr420ToYCrCb420_Filter_8u_P2P3R);
static_assert(kSlices.ints == 1 && kSlices.arg[kSlices.args - 1].role == Arg::Int);

constexpr Shape kInPlace = shapeOf(&qrxiColorTwist32f_16s_IP3R);
static_assert(kInPlace.images == 1 && kInPlace.image[0].writable && kInPlace.image[0].elem == Elem::S16 &&
              kInPlace.matrix);

constexpr Shape kGamma = shapeOf(&qrxiGammaFwd_32f_AC4R);
static_assert(kGamma.floats == 2 && kGamma.image[0].elem == Elem::F32);

constexpr Shape kReduce = shapeOf(&qrxiReduceBits_32f16s_C3R);
static_assert(kReduce.ints == 3 && kReduce.image[1].elem == Elem::S16);

constexpr Shape kWeights = shapeOf(&qrxiColorToGray_32f_C3C1R);
static_assert(kWeights.weights && kWeights.images == 2);

constexpr Shape kYCoCg = shapeOf(&qrxiSBGRToYCoCg_Rev_16s32s_C4P3R);
static_assert(kYCoCg.image[1].elem == Elem::S32 && kYCoCg.image[1].steps == Steps::One);

// The larger source of demosaicing: the size after the rectangle is the
// source's, the step after it the source's too; the scratch rows after the
// grid are one more image with its own step.
constexpr Shape kCfa = shapeOf(&qrxiCFAToRGB_16u_C1C3R);
static_assert(kCfa.rect && kCfa.arg[1].role == Arg::Rect && kCfa.arg[2].role == Arg::SensorSize &&
              kCfa.arg[3].role == Arg::Step && kCfa.arg[3].index == 0 && kCfa.arg[6].role == Arg::Int);
constexpr Shape kAhd = shapeOf(&qrxiDemosaicAHD_8u_C1C3R);
static_assert(kAhd.images == 3 && kAhd.image[2].writable && kAhd.image[2].steps == Steps::One);

// ---- the rows ---------------------------------------------------------------

std::set<std::string> exportedOperations() {
    std::set<std::string> names;
    const std::string cmd = std::string("nm -D --defined-only ") + QRX_SHARED_LIB;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return names;
    char line[512];
    while (std::fgets(line, sizeof line, p)) {
        std::string s(line);
        const auto at = s.find(" T ");
        if (at == std::string::npos) continue;
        std::string name = s.substr(at + 3);
        name.erase(name.find_last_not_of("\r\n") + 1);
        if (name.rfind("qrxi", 0) == 0) names.insert(name);
    }
    pclose(p);
    return names;
}

TEST(FuzzTable, EveryExportedOperationHasOneSoundRow) {
    const std::set<std::string> exported = exportedOperations();
    ASSERT_FALSE(exported.empty());
    std::set<std::string> rows;
    for (const Entry& e : entries()) {
        EXPECT_EQ(rowProblems(e), "");
        EXPECT_TRUE(rows.insert(e.name).second) << e.name << " has two rows";
        EXPECT_TRUE(exported.count(e.name)) << e.name << " has a row but is not exported";
    }
    for (const std::string& name : exported)
        EXPECT_TRUE(rows.count(name)) << name << " is exported but has no row in tests/fuzz";
}

// The busy calls of a row reach what its rules promise: a parallel region, an
// allocation, a thread-dependent result for some parameters, so that the
// concurrency and allocation-failure tests run those paths; and the busy
// parameters are valid ones that do something.
TEST(FuzzTable, BusyCallsReachEveryPathTheRowNames) {
    int threaded = 0, allocating = 0;
    for (const Entry& e : entries()) {
        const std::vector<Plan> plans = busyPlans(e);
        auto some = [&](CallTest t) {
            return std::any_of(plans.begin(), plans.end(), [&](const Plan& p) { return holds(t, p); });
        };
        EXPECT_TRUE(!e.rules.threaded || some(e.rules.threaded)) << e.name << " never goes parallel";
        EXPECT_TRUE(!e.rules.allocates || some(e.rules.allocates)) << e.name << " never allocates";
        EXPECT_TRUE(!e.rules.threadDependent || some(e.rules.threadDependent)) << e.name;
        threaded += e.rules.threaded && some(e.rules.threaded);
        allocating += e.rules.allocates && some(e.rules.allocates);
        for (const Plan& p : plans) EXPECT_EQ(allowedStatuses(p).front(), qrxOk) << describe(p);
    }
    EXPECT_GT(threaded, 0);
    EXPECT_GT(allocating, 0);
}

TEST(FuzzTable, KeysNameOneEntryEach) {
    std::set<uint32_t> keys;
    for (const Entry& e : entries()) {
        EXPECT_TRUE(keys.insert(e.key).second) << e.name;
        // An input with an entry's exact key runs that entry, whatever the filter.
        const uint8_t key[4] = {uint8_t(e.key), uint8_t(e.key >> 8), uint8_t(e.key >> 16), uint8_t(e.key >> 24)};
        EXPECT_EQ(decode(key, 4, selectable("")).entry, &e);
        EXPECT_EQ(decode(key, 4, selectable(e.family)).entry, &e);
    }
}

// The access of each image follows from the prototype: const images are
// read, the others written, and an operation without a read-only image
// works in place.
TEST(FuzzTable, AccessFollowsConstness) {
    const Entry convert{"convert", shapeOf(&qrxiRGBToYUV_8u_C3R), nullptr, {kC3, kC3}};
    EXPECT_EQ(accessOf(convert, 0), Access::Read);
    EXPECT_EQ(accessOf(convert, 1), Access::Write);
    constexpr Shape kInPlaceTwist = shapeOf(&qrxiColorTwist_32f_C3IR);
    const Entry inPlace{"in place", kInPlaceTwist, nullptr, {kC3}};
    EXPECT_EQ(accessOf(inPlace, 0), Access::ReadWrite);
    constexpr Shape kTwist = shapeOf(&qrxiColorTwist32f_8u_P3R);
    // Source array and planes, destination array and planes, the matrix.
    EXPECT_EQ(pointerCount(Entry{"twist", kTwist, nullptr, {kP3, kP3}}), 9);
}

// Rows that do not match their prototype are reported.
TEST(FuzzTable, UnsoundRowsAreReported) {
    const Shape s = shapeOf(&qrxiRGBToYUV_8u_C3P3R);  // interleaved source, planes sharing a step
    Image five = kP4;
    five.planes = 5;
    EXPECT_EQ(rowProblems(Entry{"sound", s, nullptr, {kC3, kP3}}), "");
    EXPECT_NE(rowProblems(Entry{"count", s, nullptr, {kC3}}), "");
    EXPECT_NE(rowProblems(Entry{"planar source", s, nullptr, {kP3, kP3}}), "");
    EXPECT_NE(rowProblems(Entry{"one plane", s, nullptr, {kC3, planar(1)}}), "");
    EXPECT_NE(rowProblems(Entry{"five planes", shapeOf(&qrxiRGBToYUV420_8u_C3P3R), nullptr, {kC3, five}}), "");
    EXPECT_NE(rowProblems(Entry{"kept", s, nullptr, {keeping(kC3, 3), kP3}}), "");
    EXPECT_NE(rowProblems(Entry{"one step, two sizes", s, nullptr, {kC3, kP420}}), "");
    EXPECT_NE(rowProblems(Entry{"parameters", s, nullptr, {kC3, kP3}, {}, {kAlphaValues}}), "");
}

// The statuses a call may return follow from the failures in its arguments.
TEST(FuzzHarness, AllowedStatusesFollowTheArguments) {
    constexpr Shape kPlanesToPacked = shapeOf(&qrxiRGBToYCbCr422_8u_P3C2R);  // one step per image
    Entry e{"steps", kPlanesToPacked, nullptr, {kP3, kPacked422}, {.min = {2, 1}, .blocks = {2, 2}}};
    using V = std::vector<QrxStatus>;
    Plan p = validPlan(e, {4, 2}, 1);
    EXPECT_EQ(allowedStatuses(p), V{qrxOk});
    p.roi = {5, 2};
    EXPECT_EQ(allowedStatuses(p), V{qrxWarnSizeNotMultiple});
    p.roi = {1, 2};
    EXPECT_EQ(allowedStatuses(p), V{qrxErrSize});
    p.nullPointer = 0;
    EXPECT_EQ(allowedStatuses(p), (V{qrxErrNullPtr, qrxErrSize}));
    e.rules.stepsChecked = true;
    p = validPlan(e, {4, 2}, 1);
    p.planes[0][0].step = 0;  // the source planes' one step
    EXPECT_EQ(allowedStatuses(p), V{qrxErrStep});
    p = validPlan(e, {4, 2}, 1);
    p.planes[1][0].step = -8;
    EXPECT_EQ(allowedStatuses(p), V{qrxErrStep});
    e.rules.multipleOf = {4, 1};
    p = validPlan(e, {6, 2}, 1);
    EXPECT_EQ(allowedStatuses(p), V{qrxErrSize});
    // A null image that the operation does not check: nothing to do, success.
    e.images[1].nullDoesNothing = true;
    p = validPlan(e, {4, 2}, 1);
    p.nullPointer = 4;
    EXPECT_EQ(allowedStatuses(p), V{qrxOk});
}

// A status the data decides (tone mapping's +1) is allowed beside success,
// and beside a null destination where the data is looked at first; valid
// parameters that select nothing allow success alone.
TEST(FuzzHarness, AllowedStatusesFollowDataAndParameterRules) {
    using V = std::vector<QrxStatus>;
    Entry e{"data", shapeOf(&qrxiToneMapLinear_32f8u_C1R), nullptr, {kC1, kC1},
            {.dataStatus = qrxWarnNothingDone, .dataBeforeDestination = true}};
    Plan p = validPlan(e, {4, 2}, 1);
    EXPECT_EQ(allowedStatuses(p), (V{qrxOk, qrxWarnNothingDone}));
    p.nullPointer = 1;  // the destination
    EXPECT_EQ(allowedStatuses(p), (V{qrxErrNullPtr, qrxWarnNothingDone}));
    p.roi = {0, 2};  // the source's size test comes first
    EXPECT_EQ(allowedStatuses(p), (V{qrxErrNullPtr, qrxErrSize}));
    p = validPlan(e, {4, 2}, 1);
    p.nullPointer = 0;  // the source: no statistic
    EXPECT_EQ(allowedStatuses(p), V{qrxErrNullPtr});
    e.rules.dataBeforeDestination = false;
    p.nullPointer = 1;
    EXPECT_EQ(allowedStatuses(p), V{qrxErrNullPtr});

    Entry method{"method", shapeOf(&qrxiReduceBits_8u_C1R), nullptr, {kC1, kC1},
                 {.paramStatus = [](const Call& c) -> QrxStatus { return c.ints[0] < 0 ? qrxErrNoiseAmount : qrxOk; },
                  .doesNothing = [](const Call& c) { return c.ints[1] > 4; }}};
    p = validPlan(method, {4, 2}, 1);
    EXPECT_EQ(allowedStatuses(p), V{qrxOk});
    p.ints[1] = 5;
    EXPECT_EQ(allowedStatuses(p), V{qrxOk});
    p.ints[0] = -1;  // a failure comes before doing nothing
    EXPECT_EQ(allowedStatuses(p), V{qrxErrNoiseAmount});
}

// Every byte of a plane's mapping outside its rows is watched: before the
// first row, between rows, after the last, at both ends of the mapping.
TEST(FuzzHarness, GuardedPlaneWatchesEveryByteOutsideItsRows) {
    const uintptr_t page = uintptr_t(sysconf(_SC_PAGESIZE));
    for (bool flushStart : {false, true})
        for (int step : {24, -24}) {
            GuardedPlane g(10, 3, step, flushStart, 3);
            ASSERT_TRUE(g.outsideUntouched());  // (and lifts the poisoning for the probes)
            uint8_t* lowRow = step > 0 ? g.row(0) : g.row(2);
            uint8_t* mapStart = reinterpret_cast<uint8_t*>(reinterpret_cast<uintptr_t>(lowRow) & ~(page - 1));
            const std::vector<uint8_t> before = g.snapshot();
            for (uint8_t* probe : {mapStart, lowRow - 1, g.row(0) + 10, g.row(1) + 23, g.row(2) + 10,
                                   mapStart + page - 1}) {
                if (probe < mapStart || probe >= mapStart + page) continue;
                const uint8_t keep = *probe;
                *probe ^= 1;
                EXPECT_FALSE(g.outsideUntouched()) << "offset " << probe - mapStart << " step " << step;
                EXPECT_FALSE(g.unchangedSince(before));
                *probe = keep;
                EXPECT_TRUE(g.outsideUntouched());
            }
            g.row(1)[9] ^= 1;
            EXPECT_TRUE(g.outsideUntouched());
            EXPECT_FALSE(g.unchangedSince(before));
        }
}

// Destinations of families that do not check steps get rows that never
// overlap, so that any write outside the region is the operation's.
TEST(FuzzHarness, DecodedDestinationRowsNeverOverlap) {
    const auto all = selectable("");
    uint32_t s = 1;
    int refused = 0;
    for (int n = 0; n < 4000; ++n) {
        std::vector<uint8_t> in(96);
        for (uint8_t& b : in) b = uint8_t((s = s * 1664525u + 1013904223u) >> 24);
        const Plan p = decode(in.data(), in.size(), all);
        for (int i = 0; i < p.entry->shape.images; ++i) {
            if (accessOf(*p.entry, i) == Access::Read) continue;
            for (int k = 0; k < p.entry->images[i].planes; ++k) {
                const PlanePlan& pp = p.planes[i][k];
                // Families that check steps also get steps they refuse.
                if (p.entry->rules.stepsChecked && pp.step < 1) {
                    ++refused;
                    continue;
                }
                if (pp.rows > 1) {
                    ASSERT_GE(std::abs(pp.step), pp.rowBytes) << describe(p);
                }
            }
        }
    }
    EXPECT_GT(refused, 0);
}

// ---- the harness finds faults -----------------------------------------------

// Stand-ins for broken operations, each with one fault.
QrxStatus goodCopy(const Qrx8u* s, int ss, Qrx8u* d, int ds, QrxRoiSize roi) {
    if (!s || !d) return qrxErrNullPtr;
    if (roi.width < 1 || roi.height < 1) return qrxErrSize;
    for (int y = 0; y < roi.height; ++y)
        for (int x = 0; x < roi.width * 3; ++x) d[y * ds + x] = uint8_t(s[y * ss + x] ^ 0x55);
    return qrxOk;
}
[[maybe_unused]] QrxStatus writesPastRow(const Qrx8u* s, int ss, Qrx8u* d, int ds, QrxRoiSize roi) {
    const QrxStatus st = goodCopy(s, ss, d, ds, roi);
    if (st == qrxOk) d[roi.width * 3] = 0;  // the first padding byte after row 0
    return st;
}
QrxStatus writesOnError(const Qrx8u* s, int ss, Qrx8u* d, int ds, QrxRoiSize roi) {
    if (roi.width < 2 && d) d[0] = 1;
    return roi.width < 2 ? qrxErrSize : goodCopy(s, ss, d, ds, roi);
}
QrxStatus changesSource(const Qrx8u* s, int ss, Qrx8u* d, int ds, QrxRoiSize roi) {
    const QrxStatus st = goodCopy(s, ss, d, ds, roi);
    if (st == qrxOk) const_cast<Qrx8u*>(s)[0] ^= 1;
    return st;
}
QrxStatus warnsWrongly(const Qrx8u* s, int ss, Qrx8u* d, int ds, QrxRoiSize roi) {
    const QrxStatus st = goodCopy(s, ss, d, ds, roi);
    return st == qrxOk && roi.width % 2 ? qrxWarnSizeNotMultiple : st;
}
QrxStatus skipsNullCheck(const Qrx8u* s, int ss, Qrx8u* d, int ds, QrxRoiSize roi) {
    if (roi.width < 1 || roi.height < 1) return qrxErrSize;
    return s && d ? goodCopy(s, ss, d, ds, roi) : qrxOk;
}
QrxStatus dependsOnTarget(const Qrx8u* s, int ss, Qrx8u* d, int ds, QrxRoiSize roi) {
    const QrxStatus st = goodCopy(s, ss, d, ds, roi);
    if (st == qrxOk && qrx::activeTarget() != qrx::Target::Scalar) d[0] ^= 1;
    return st;
}
QrxStatus dependsOnThreads(const Qrx8u* s, int ss, Qrx8u* d, int ds, QrxRoiSize roi) {
    const QrxStatus st = goodCopy(s, ss, d, ds, roi);
    if (st == qrxOk && qrxGetNumThreads() > 1) d[0] ^= 1;
    return st;
}
QrxStatus writesWhenNothingDone(const Qrx8u* s, int ss, Qrx8u* d, int ds, QrxRoiSize roi) {
    const QrxStatus st = goodCopy(s, ss, d, ds, roi);
    return st == qrxOk && roi.width == 1 ? qrxWarnNothingDone : st;
}
// The method argument 9 is one that converts nothing.
QrxStatus writesForUnknownMethod(const Qrx8u* s, int ss, Qrx8u* d, int ds, QrxRoiSize roi, int) {
    return goodCopy(s, ss, d, ds, roi);
}
QrxStatus writesKeptAlpha(const Qrx8u* s, int ss, Qrx8u* d, int ds, QrxRoiSize roi) {
    if (!s || !d) return qrxErrNullPtr;
    if (roi.width < 1 || roi.height < 1) return qrxErrSize;
    for (int y = 0; y < roi.height; ++y)
        for (int x = 0; x < roi.width * 4; ++x) d[y * ds + x] = s[y * ss + x];
    return qrxOk;
}

Entry standIn(const char* name, Invoker invoke, Rules rules = {}, Image src = kC3, Image dst = kC3) {
    Entry e{name, shapeOf(&goodCopy), invoke, {src, dst}, rules};
    e.family = "stand-ins";
    return e;
}

std::string checkValid(const Entry& e, QrxRoiSize roi, int target = 0, int nullPointer = -1, int threads = 1) {
    Plan p = validPlan(e, roi, 7);
    p.target = target;
    p.threads = threads;
    p.nullPointer = nullPointer;
    return check(p);
}

TEST(FuzzHarness, ReportsEachKindOfBrokenPromise) {
    auto finds = [](const std::string& report, const char* what) {
        return report.find(what) != std::string::npos;
    };
    EXPECT_EQ(checkValid(standIn("good", &invoke<&goodCopy>), {5, 3}), "");
#if !QRX_TEST_ASAN  // under AddressSanitizer the poisoned padding reports the write itself
    EXPECT_PRED2(finds, checkValid(standIn("past", &invoke<&writesPastRow>), {5, 3}), "wrote outside");
#endif
    EXPECT_PRED2(finds, checkValid(standIn("error", &invoke<&writesOnError>, {.min = {2, 1}}), {1, 3}),
                 "error -6 but");
    EXPECT_PRED2(finds, checkValid(standIn("source", &invoke<&changesSource>), {5, 3}), "image 0 plane 0 changed");
    EXPECT_PRED2(finds, checkValid(standIn("warn", &invoke<&warnsWrongly>), {5, 3}), "returned 35");
    EXPECT_PRED2(finds, checkValid(standIn("null", &invoke<&skipsNullCheck>), {5, 3}, 0, 1), "returned 0");
    EXPECT_PRED2(finds, checkValid(standIn("alpha", &invoke<&writesKeptAlpha>, {}, kAC4Read, kAC4), {5, 3}),
                 "kept channel 3");
    EXPECT_PRED2(finds,
                 checkValid(standIn("nothing done", &invoke<&writesWhenNothingDone>,
                                    {.dataStatus = qrxWarnNothingDone}),
                            {1, 3}),
                 "image 1 plane 0 changed");
    Entry method{"method", shapeOf(&writesForUnknownMethod), &invoke<&writesForUnknownMethod>, {kC3, kC3},
                 {.doesNothing = [](const Call& c) { return c.ints[0] == 9; }}, {{{9}}}};
    EXPECT_PRED2(finds, checkValid(method, {5, 3}), "image 1 plane 0 changed");
    // A result that depends on the thread count is a fault unless the row
    // says so; then it is compared at the same thread count.
    Entry threads = standIn("threads", &invoke<&dependsOnThreads>);
    EXPECT_PRED2(finds, checkValid(threads, {5, 3}, 0, -1, 2), "differs from the scalar kernels' on 1 thread");
    threads.rules.threadDependent = always;
    EXPECT_EQ(checkValid(threads, {5, 3}, 0, -1, 2), "");
    const auto targets = qrxtest::vectorTargets();
    if (!targets.empty()) {
        EXPECT_PRED2(finds, checkValid(standIn("target", &invoke<&dependsOnTarget>), {5, 3}, int(targets[0])),
                     "differs from the scalar");
    }
}

// ---- the checked-in corpus --------------------------------------------------

std::vector<std::filesystem::path> corpusFiles() {
    std::vector<std::filesystem::path> files;
    for (const auto& f : std::filesystem::recursive_directory_iterator(QRX_FUZZ_CORPUS))
        if (f.is_regular_file()) files.push_back(f.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<uint8_t> readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

TEST(FuzzCorpus, EveryInputKeepsEveryPromise) {
    const auto all = selectable("");
    const auto files = corpusFiles();
    ASSERT_FALSE(files.empty());
    for (const auto& f : files) {
        const std::vector<uint8_t> bytes = readFile(f);
        EXPECT_EQ(check(decode(bytes.data(), bytes.size(), all)), "") << f.filename();
    }
}

TEST(FuzzCorpus, EveryEntryHasSeeds) {
    std::set<uint32_t> named;
    for (const auto& f : corpusFiles()) {
        const std::vector<uint8_t> b = readFile(f);
        if (b.size() >= 4) named.insert(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
    }
    for (const Entry& e : entries())
        EXPECT_TRUE(named.count(e.key)) << e.name << " has no input in tests/fuzz/corpus (tools/fuzz.sh --seed)";
}

// The seeds of a row start the fuzzer on every busy call: seed k has the
// parameters of busy call k.
TEST(FuzzCorpus, SeedsTakeEveryBusyParameterSet) {
    const auto all = selectable("");
    for (const Entry& e : entries()) {
        const auto seeds = seedInputs(e);
        const auto busy = busyPlans(e);
        ASSERT_GE(seeds.size(), busy.size()) << e.name;
        for (size_t k = 0; k < busy.size(); ++k) {
            const Plan p = decode(seeds[k].data(), seeds[k].size(), all);
            ASSERT_EQ(p.entry, &e);
            for (int j = 0; j < e.shape.ints; ++j) EXPECT_EQ(p.ints[j], busy[k].ints[j]) << e.name << " seed " << k;
        }
    }
}

}  // namespace
}  // namespace qrxfuzz
