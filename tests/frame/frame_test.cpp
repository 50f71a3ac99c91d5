// The frame: version record, exported names, internal primitives and the
// threading drivers.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <omp.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "alloc_hooks.h"
#include "frame/checks.h"
#include "frame/image.h"
#include "frame/primitives.h"
#include "frame/threading.h"
#include "guarded_image.h"
#include "qrxcc.h"
#include "threads.h"

namespace {

using qrxtest::GuardedImage;

// The record as a program sees it through the shared library.
TEST(Version, SharedLibraryRecordNamesItsOwnFile) {
    void* lib = dlopen(QRX_SHARED_LIB, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(lib, nullptr) << dlerror();
    using Query = const QrxLibVersion* (*)();
    const auto query = reinterpret_cast<Query>(dlsym(lib, "qrxccGetLibVersion"));
    ASSERT_NE(query, nullptr);
    const QrxLibVersion* v = query();
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v, query());  // one constant record
    const std::string file = QRX_SHARED_LIB;
    EXPECT_EQ(file.substr(file.rfind('/') + 1), v->libraryName);
    EXPECT_EQ(std::memcmp(v->cpuCode, "m7\0\0", 4), 0);
    // The text agrees with the numbers: "<major>.<minor> build <build major>.<n>".
    const std::string prefix = std::to_string(v->versionMajor) + "." +
                               std::to_string(v->versionMinor) + " build " +
                               std::to_string(v->buildMajor) + ".";
    EXPECT_EQ(std::string(v->versionText).rfind(prefix, 0), 0u) << v->versionText;
    EXPECT_EQ(v->versionMajor, 6);
    EXPECT_EQ(v->versionMinor, 1);
    EXPECT_EQ(v->buildMajor, 137);
    EXPECT_EQ(v->buildNumber, 754);
    EXPECT_STREQ(v->versionText, "6.1 build 137.56");
    EXPECT_STREQ(v->buildDateText, "Mar 17 2010");
    dlclose(lib);
}

std::set<std::string> lines(const char* path) {
    std::set<std::string> names;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) names.insert(line);
    return names;
}

// Names nm reports for a file ("-D" for the dynamic table), defined ones only.
std::set<std::string> definedSymbols(const std::string& options, const char* file) {
    std::set<std::string> names;
    const std::string cmd = "nm " + options + " --defined-only " + file + " 2>/dev/null";
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return names;
    char line[512];
    while (std::fgets(line, sizeof line, p)) {
        char addr[64], kind[8], name[400];
        if (std::sscanf(line, "%63s %7s %399s", addr, kind, name) == 3 &&
            (kind[0] == 'T' || kind[0] == 'D' || kind[0] == 'R'))
            names.insert(name);
    }
    pclose(p);
    return names;
}

// The public header declares exactly the listed names; the shared library
// exports exactly the listed names that the library defines, so an operation
// that is implemented but left out of the list, or listed but hidden, fails.
TEST(Exports, SharedLibraryExportsEveryImplementedNameAndNothingElse) {
    const auto listed = lines(QRX_EXPORT_LIST);
    std::set<std::string> declared;
    {
        std::ifstream in(QRX_PUBLIC_HEADER);
        for (std::string line; std::getline(in, line);) {
            if (line.rfind("QRXAPI", 0) != 0) continue;
            const size_t open = line.find('(');
            const size_t start = line.find_last_of(" *", open) + 1;
            declared.insert(line.substr(start, open - start));
        }
    }
    EXPECT_EQ(declared, listed);
    const auto exported = definedSymbols("-D", QRX_SHARED_LIB);
    const auto internal = definedSymbols("", QRX_INTERNAL_LIB);
    ASSERT_FALSE(exported.empty());
    ASSERT_FALSE(internal.empty());
    std::set<std::string> implemented;
    for (const auto& name : listed)
        if (internal.count(name)) implemented.insert(name);
    EXPECT_TRUE(implemented.count("qrxccGetLibVersion"));
    std::set<std::string> exportedOperations;
    for (const auto& name : exported)
        if (name.rfind("qrx", 0) == 0) exportedOperations.insert(name);
    EXPECT_EQ(exportedOperations, implemented);
    // Internal primitives (C++ names) stay inside.
    for (const char* hidden : {"qrxiCopy_8u_C1R", "qrxsMalloc_32f", "qrxsRandUniform_16s"})
        for (const auto& name : exported) EXPECT_EQ(name.find(hidden), std::string::npos) << name;
}

TEST(Checks, RunInOrderAndStopAtFirstFailure) {
    using namespace qrx::check;
    Qrx8u a = 0;
    Qrx8u* planesOk[3] = {&a, &a, &a};
    Qrx8u* planesBad[3] = {&a, nullptr, &a};
    Qrx8u* const* nullArray = nullptr;
    // A null array is reported by nulls() and never dereferenced by planes().
    EXPECT_EQ(firstFailure(nulls(&a, nullArray), planes(nullArray, 3)), qrxErrNullPtr);
    EXPECT_EQ(firstFailure(nulls(&a), size({0, 5}), planes(planesBad, 3)), qrxErrSize);
    EXPECT_EQ(firstFailure(nulls(&a), size({5, 5}), planes(planesBad, 3)), qrxErrNullPtr);
    EXPECT_EQ(firstFailure(nulls(&a), size({-2, 5})), qrxErrSize);
    EXPECT_EQ(firstFailure(nulls(&a), size({2, 1}, 2, 2)), qrxErrSize);
    EXPECT_EQ(firstFailure(nulls(&a), planes(planesOk, 3), size({2, 2}, 2, 2), steps(1, 0)),
              qrxErrStep);
    EXPECT_EQ(firstFailure(nulls(&a), size({2, 2}), require(false, qrxErrBadArg)), qrxErrBadArg);
    EXPECT_EQ(firstFailure(nulls(&a), planes(planesOk, 3), size({1, 1})), qrxOk);
    // Only the first `count` planes are looked at.
    Qrx8u* threeOfFour[4] = {&a, &a, &a, nullptr};
    EXPECT_EQ(firstFailure(planes(threeOfFour, 3)), qrxOk);
    EXPECT_EQ(firstFailure(planes(threeOfFour, 4)), qrxErrNullPtr);
    // Steps of 1 pass; a step array is read only as far as its count.
    EXPECT_EQ(firstFailure(steps(1, 1, 7)), qrxOk);
    EXPECT_EQ(firstFailure(steps(1, -3)), qrxErrStep);
    const int stepList[3] = {1, 5, 0};
    EXPECT_EQ(firstFailure(stepArray(stepList, 2)), qrxOk);
    EXPECT_EQ(firstFailure(stepArray(stepList, 3)), qrxErrStep);
    EXPECT_EQ(firstFailure(size({0, 5}), stepArray(nullptr, 3)), qrxErrSize);
    EXPECT_EQ(warnIf(true), qrxWarnSizeNotMultiple);
    EXPECT_EQ(warnIf(false), qrxOk);
}

// The helpers every row uses: saturation at both ends, floor shifts, rows
// addressed backwards, and steps rounded down to whole elements.
TEST(ImageHelpers, SaturateShiftAndAddress) {
    using namespace qrx;
    EXPECT_EQ(sat8u(-1), 0);
    EXPECT_EQ(sat8u(0), 0);
    EXPECT_EQ(sat8u(255), 255);
    EXPECT_EQ(sat8u(256), 255);
    EXPECT_EQ(sat16u(-1), 0);
    EXPECT_EQ(sat16u(65535), 65535);
    EXPECT_EQ(sat16u(65536), 65535);
    EXPECT_EQ(sat16s(-32769), -32768);
    EXPECT_EQ(sat16s(-32768), -32768);
    EXPECT_EQ(sat16s(32767), 32767);
    EXPECT_EQ(sat16s(32768), 32767);
    EXPECT_EQ(floorShift(-1, 4), -1);
    EXPECT_EQ(floorShift(-17, 4), -2);
    EXPECT_EQ(floorShift(int64_t(-1) << 40, 39), -2);
    Qrx16u rows[3][4] = {};
    EXPECT_EQ(rowPtr(&rows[2][1], -8, 2), &rows[0][1]);
    EXPECT_EQ(wholeElementStep<Qrx8u>(-7), -7);
    EXPECT_EQ(wholeElementStep<Qrx16u>(9), 8);
    EXPECT_EQ(wholeElementStep<Qrx16u>(-7), -8);
    EXPECT_EQ(wholeElementStep<Qrx32f>(11), 8);
    EXPECT_EQ(wholeElementStep<Qrx32f>(-9), -12);
}

// ---- random generator --------------------------------------------------------

TEST(RandUniform, SixteenBitSequenceAndContinuation) {
    QrxRandState* st = nullptr;
    ASSERT_EQ(qrxsRandUniformInitAlloc_16s(&st, 0, 1024, 0), qrxOk);
    Qrx16s v[8];
    ASSERT_EQ(qrxsRandUniform_16s(v, 8, st), qrxOk);
    const Qrx16s expected[8] = {1, 133, 217, 413, 361, 759, 844, 242};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(v[i], expected[i]) << i;
    EXPECT_EQ(qrxsRandUniformFree_16s(st), qrxOk);

    ASSERT_EQ(qrxsRandUniformInitAlloc_16s(&st, 0, 1024, 0), qrxOk);
    Qrx16s w[8];
    ASSERT_EQ(qrxsRandUniform_16s(w, 4, st), qrxOk);
    ASSERT_EQ(qrxsRandUniform_16s(w + 4, 4, st), qrxOk);
    EXPECT_EQ(std::memcmp(v, w, sizeof v), 0);
    EXPECT_EQ(qrxsRandUniformFree_16s(st), qrxOk);
}

TEST(RandUniform, FloatValuesStayInRangeAndFollowTheSameSequence) {
    QrxRandState* s16 = nullptr;
    QrxRandState* s32 = nullptr;
    ASSERT_EQ(qrxsRandUniformInitAlloc_16s(&s16, -100, 100, 12345), qrxOk);
    ASSERT_EQ(qrxsRandUniformInitAlloc_32f(&s32, -100.f, 100.f, 12345), qrxOk);
    std::vector<Qrx16s> a(5000);
    std::vector<Qrx32f> b(5000);
    ASSERT_EQ(qrxsRandUniform_16s(a.data(), 5000, s16), qrxOk);
    ASSERT_EQ(qrxsRandUniform_32f(b.data(), 5000, s32), qrxOk);
    for (int i = 0; i < 5000; ++i) {
        EXPECT_GE(b[i], -100.f);
        EXPECT_LT(b[i], 100.f);
        EXPECT_LE(std::abs(a[i] - b[i]), 0.5f + 1e-4f) << i;  // same draws, rounded
    }
    qrxsRandUniformFree_16s(s16);
    qrxsRandUniformFree_32f(s32);
}

TEST(RandUniform, ArgumentChecksAndWrongKind) {
    QrxRandState* st = nullptr;
    Qrx16s v16[2] = {7, 7};
    Qrx32f v32[2] = {7.f, 7.f};
    EXPECT_EQ(qrxsRandUniformInitAlloc_16s(nullptr, 0, 1, 0), qrxErrNullPtr);
    ASSERT_EQ(qrxsRandUniformInitAlloc_16s(&st, 0, 10, 1), qrxOk);
    EXPECT_EQ(qrxsRandUniform_16s(nullptr, 2, st), qrxErrNullPtr);
    EXPECT_EQ(qrxsRandUniform_16s(v16, 2, nullptr), qrxErrNullPtr);
    EXPECT_EQ(qrxsRandUniform_16s(v16, 0, st), qrxErrSize);
    v16[0] = v16[1] = -5;  // outside [0, 10)
    EXPECT_EQ(qrxsRandUniform_16s(v16, 1, st), qrxOk);  // one value is a whole call
    EXPECT_GE(v16[0], 0);
    EXPECT_EQ(v16[1], -5);
    EXPECT_EQ(qrxsRandUniform_32f(v32, 2, st), qrxErrContext);
    EXPECT_EQ(v32[0], 7.f);
    EXPECT_EQ(v32[1], 7.f);
    EXPECT_EQ(qrxsRandUniformFree_32f(st), qrxErrContext);
    EXPECT_EQ(qrxsRandUniformFree_16s(nullptr), qrxErrNullPtr);
    EXPECT_EQ(qrxsRandUniformFree_16s(st), qrxOk);
}

TEST(RandUniform, AllocationFailureLeavesNothingBehind) {
    qrxtest::resetAllocCounters();
    const long live = qrxtest::liveAllocations();
    QrxRandState* st = nullptr;
    {
        qrxtest::ScopedMallocFailure fail(1);
        EXPECT_EQ(qrxsRandUniformInitAlloc_32f(&st, 0.f, 1.f, 3), qrxErrMemAlloc);
    }
    EXPECT_EQ(st, nullptr);
    EXPECT_EQ(qrxtest::liveAllocations(), live);
}

// ---- allocators ----------------------------------------------------------------

TEST(Malloc, TypedAllocatorsAlignAndRejectEmptyCounts) {
    qrxtest::resetAllocCounters();
    EXPECT_EQ(qrxsMalloc_32f(0), nullptr);
    EXPECT_EQ(qrxsMalloc_16s(-5), nullptr);
    EXPECT_EQ(qrxtest::mallocCalls(), 0);  // the core library is not asked
    Qrx16s* one = qrxsMalloc_16s(1);
    ASSERT_NE(one, nullptr);
    qrxsFree(one);
    qrxtest::resetAllocCounters();
    Qrx16u* p = qrxsMalloc_16u(1000);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % 64, 0u);
    EXPECT_EQ(qrxtest::mallocCalls(), 1);
    qrxsFree(p);
}

// ---- statistics -----------------------------------------------------------------

TEST(Statistics, MaxSumAndMean) {
    GuardedImage<Qrx32f> img(7, 3, 1, 40);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x) img.at(x, y) = static_cast<float>(x + 10 * y) - 5.f;
    QrxRoiSize roi{7, 3};
    Qrx32f mx = 0;
    ASSERT_EQ(qrxiMax_32f_C1R(img.ptr(), img.step(), roi, &mx), qrxOk);
    EXPECT_EQ(mx, 21.f);
    double exact = 0;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x) exact += img.at(x, y);
    double sum2 = 0, sumFast = 0, mean = 0;
    ASSERT_EQ(qrxiSum_32f_C1R(img.ptr(), img.step(), roi, &sum2, 2), qrxOk);
    ASSERT_EQ(qrxiSum_32f_C1R(img.ptr(), img.step(), roi, &sumFast, 1), qrxOk);
    EXPECT_EQ(sum2, exact);
    EXPECT_EQ(sumFast, exact);
    ASSERT_EQ(qrxiMean_32f_C1R(img.ptr(), img.step(), roi, &mean, 1), qrxOk);
    EXPECT_DOUBLE_EQ(mean, exact / 21);
    EXPECT_TRUE(img.untouchedOutside());
}

TEST(Statistics, PreciseSumSplitsEvenAndOddColumns) {
    // Added left to right, the first 1 would vanish against 1e16; with the
    // even and odd columns in separate float64 accumulators it survives.
    const Qrx32f row[5] = {1e16f, 1.f, -1e16f, 1.f, 1.f};
    double s = 0;
    ASSERT_EQ(qrxiSum_32f_C1R(row, 20, {5, 1}, &s, 2), qrxOk);
    EXPECT_EQ(s, 3.0);
}

// The fast sum keeps column x in lane x mod 4 and folds (l0 + l1) + (l2 + l3)
// in float32: 2^24 + 1 is lost in lane 0, 1 + 1 survives in lane 2 + 3.
TEST(Statistics, FastSumLanesAndFoldOrder) {
    const Qrx32f row[6] = {16777216.f, 1.f, 1.f, 1.f, 1.f, 0.f};
    double fast = 0, precise = 0;
    ASSERT_EQ(qrxiSum_32f_C1R(row, 24, {6, 1}, &fast, 1), qrxOk);
    ASSERT_EQ(qrxiSum_32f_C1R(row, 24, {6, 1}, &precise, 2), qrxOk);
    EXPECT_EQ(fast, 16777218.0);
    EXPECT_EQ(precise, 16777220.0);
    // Each row's float32 sum joins a float64 total: two such rows add exactly.
    const Qrx32f rows[2][2] = {{16777216.f, 0.f}, {3.f, 0.f}};
    ASSERT_EQ(qrxiSum_32f_C1R(&rows[0][0], 8, {2, 2}, &fast, 0), qrxOk);
    EXPECT_EQ(fast, 16777219.0);
    double mean = 0;
    ASSERT_EQ(qrxiMean_32f_C1R(&rows[0][0], 8, {2, 2}, &mean, 2), qrxOk);
    EXPECT_EQ(mean, 16777219.0 / 4);
    ASSERT_EQ(qrxiMean_32f_C1R(&rows[0][0], 8, {1, 2}, &mean, 2), qrxOk);
    EXPECT_EQ(mean, 16777219.0 / 2);
}

// Fills larger than the cache bypass it: with a 1 MiB cache reported, big
// fills take the streaming path, whose aligned middle and unaligned ends must
// still cover every byte of every row and nothing else.
TEST(CopyFill, FillsLargerThanTheCacheStillCoverExactlyTheRegion) {
    qrxtest::overrideCacheSize(1 << 20);
    for (QrxRoiSize roi : {QrxRoiSize{3001, 701}, QrxRoiSize{1048576 + 17, 1}})
        for (int pad : {0, 5}) {
            GuardedImage<Qrx8u> dst(roi.width, roi.height, 1, roi.width + pad);
            ASSERT_EQ(qrxiSet_8u_C1R(0xC4, dst.ptr(), dst.step(), roi), qrxOk);
            for (int y = 0; y < roi.height; ++y)
                for (int x = 0; x < roi.width; ++x)
                    ASSERT_EQ(dst.at(x, y), 0xC4) << x << "," << y << " pad " << pad;
            EXPECT_TRUE(dst.untouchedOutside());
        }
    qrxtest::overrideCacheSize(0);
}

// The largest element; of equal ones (+0 and -0) the first is kept.
TEST(Statistics, MaxKeepsTheFirstOfEqualValues) {
    const Qrx32f a[4] = {0.f, -0.f, -1.f, -0.f};
    const Qrx32f b[4] = {-0.f, 0.f, -3.f, -2.f};
    Qrx32f m = 1;
    ASSERT_EQ(qrxiMax_32f_C1R(a, 16, {4, 1}, &m), qrxOk);
    EXPECT_FALSE(std::signbit(m));
    ASSERT_EQ(qrxiMax_32f_C1R(b, 8, {2, 2}, &m), qrxOk);
    EXPECT_TRUE(std::signbit(m));
    EXPECT_EQ(m, 0.f);
    // The first column of a later row counts too.
    const Qrx32f c[4] = {1.f, 2.f, 9.f, 3.f};
    ASSERT_EQ(qrxiMax_32f_C1R(c, 8, {2, 2}, &m), qrxOk);
    EXPECT_EQ(m, 9.f);
}

TEST(Statistics, ArgumentChecks) {
    Qrx32f v = 1.f;
    double d = 0;
    Qrx32f m = 0;
    EXPECT_EQ(qrxiMean_32f_C1R(&v, 4, {1, 1}, nullptr, 1), qrxErrNullPtr);
    EXPECT_EQ(qrxiMean_32f_C1R(nullptr, 4, {0, 1}, &d, 1), qrxErrNullPtr);
    EXPECT_EQ(qrxiMean_32f_C1R(&v, 4, {0, 1}, &d, 1), qrxErrSize);
    EXPECT_EQ(qrxiSum_32f_C1R(&v, 4, {1, 1}, nullptr, 2), qrxErrNullPtr);
    EXPECT_EQ(qrxiMax_32f_C1R(&v, 4, {1, -1}, &m), qrxErrSize);
    EXPECT_EQ(qrxiMax_32f_C1R(&v, 4, {1, 1}, nullptr), qrxErrNullPtr);
}

// ---- copy and fill ----------------------------------------------------------------

struct PlaneCase {
    int width, height, srcPad, dstPad;
};

class CopyFill : public ::testing::TestWithParam<PlaneCase> {};

TEST_P(CopyFill, CopiesAndFillsExactlyTheRegion) {
    const PlaneCase c = GetParam();
    GuardedImage<Qrx8u> src(c.width, c.height, 1, c.width + c.srcPad);
    GuardedImage<Qrx8u> dst(c.width, c.height, 1, c.width + c.dstPad);
    src.randomize(c.width * 31 + c.height);
    QrxRoiSize roi{c.width, c.height};
    ASSERT_EQ(qrxiCopy_8u_C1R(src.ptr(), src.step(), dst.ptr(), dst.step(), roi), qrxOk);
    for (int y = 0; y < c.height; ++y)
        ASSERT_EQ(std::memcmp(src.row(y), dst.row(y), c.width), 0) << "row " << y;
    EXPECT_TRUE(dst.untouchedOutside());

    ASSERT_EQ(qrxiSet_8u_C1R(0x3C, dst.ptr(), dst.step(), roi), qrxOk);
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) ASSERT_EQ(dst.at(x, y), 0x3C);
    EXPECT_TRUE(dst.untouchedOutside());
}

// Small, dense (one run), padded, and large enough for the streaming stores.
INSTANTIATE_TEST_SUITE_P(Sizes, CopyFill,
                         ::testing::Values(PlaneCase{1, 1, 0, 0}, PlaneCase{17, 5, 3, 0},
                                           PlaneCase{64, 64, 0, 0}, PlaneCase{1500, 1000, 0, 0},
                                           PlaneCase{2047, 1100, 13, 1},
                                           PlaneCase{4000, 800, 0, 0},
                                           // equal padded steps on both sides: not one run
                                           PlaneCase{33, 7, 5, 5},
                                           PlaneCase{1100, 1000, 4, 4},
                                           // a dense side and a padded side
                                           PlaneCase{40, 9, 0, 3},
                                           PlaneCase{40, 9, 3, 0}));

// Fills above 524288 bytes ask the core library for the cache size (to
// decide whether to bypass it); smaller ones do not. Copies never ask.
TEST(CopyFill, FillAsksForTheCacheSizeOnlyAboveItsThreshold) {
    for (QrxRoiSize roi : {QrxRoiSize{1024, 512}, QrxRoiSize{524288, 1}, QrxRoiSize{524289, 1},
                           QrxRoiSize{1025, 512}, QrxRoiSize{3000, 700}}) {
        const int64_t total = int64_t(roi.width) * roi.height;
        for (int pad : {0, 3}) {
            GuardedImage<Qrx8u> dst(roi.width, roi.height, 1, roi.width + pad);
            qrxtest::resetCacheQueries();
            ASSERT_EQ(qrxiSet_8u_C1R(0x7E, dst.ptr(), dst.step(), roi), qrxOk);
            EXPECT_EQ(qrxtest::cacheQueries(), total > 524288 ? 1 : 0) << roi.width << "x" << roi.height;
            for (int y = 0; y < roi.height; y += roi.height / 2 + 1)
                for (int x = 0; x < roi.width; ++x) ASSERT_EQ(dst.at(x, y), 0x7E);
            EXPECT_TRUE(dst.untouchedOutside());
            GuardedImage<Qrx8u> copy(roi.width, roi.height, 1, roi.width + pad);
            qrxtest::resetCacheQueries();
            ASSERT_EQ(qrxiCopy_8u_C1R(dst.ptr(), dst.step(), copy.ptr(), copy.step(), roi), qrxOk);
            EXPECT_EQ(qrxtest::cacheQueries(), 0);
            EXPECT_EQ(copy.at(roi.width - 1, roi.height - 1), 0x7E);
        }
    }
}

TEST(CopyFill, NegativeStepAndErrors) {
    GuardedImage<Qrx8u> src(9, 4, 1, -16);
    GuardedImage<Qrx8u> dst(9, 4, 1, 12);
    src.randomize(5);
    ASSERT_EQ(qrxiCopy_8u_C1R(src.ptr(), src.step(), dst.ptr(), dst.step(), {9, 4}), qrxOk);
    for (int y = 0; y < 4; ++y) EXPECT_EQ(std::memcmp(src.row(y), dst.row(y), 9), 0);
    const auto before = dst.snapshot();
    EXPECT_EQ(qrxiCopy_8u_C1R(nullptr, 9, dst.ptr(), dst.step(), {0, 4}), qrxErrNullPtr);
    EXPECT_EQ(qrxiCopy_8u_C1R(src.ptr(), src.step(), dst.ptr(), dst.step(), {9, 0}), qrxErrSize);
    EXPECT_EQ(qrxiSet_8u_C1R(1, nullptr, 9, {9, 4}), qrxErrNullPtr);
    EXPECT_EQ(qrxiSet_8u_C1R(1, dst.ptr(), dst.step(), {-1, 4}), qrxErrSize);
    EXPECT_TRUE(dst.unchangedSince(before));
}

// ---- threading patterns ----------------------------------------------------------------
//
// The schedules the threaded families rely on, with the thread count set
// explicitly (one, two, and more than this machine has).

struct Visit {
    int thread, threads, first, rows;
};

// Row blocks: serial at and below 4096 pixels, else one region of
// ownGetNumThreads() threads, each taking one contiguous block in order.
TEST(Threading, RowBlocksFollowTheStaticSchedule) {
    for (int threads : {1, 2, 3, 7}) {
        qrxtest::ScopedThreads scope(threads);
        for (QrxRoiSize roi : {QrxRoiSize{64, 64}, QrxRoiSize{4096, 1}, QrxRoiSize{4097, 1},
                               QrxRoiSize{65, 64}, QrxRoiSize{3, 1000}, QrxRoiSize{1, 5}}) {
            for (qrx::RowSplit split : {qrx::RowSplit::AboveLimit, qrx::RowSplit::Always}) {
                std::mutex m;
                std::vector<std::pair<int, int>> seen;  // (thread, row)
                int regionThreads = 0;
                qrx::parallelRows(roi, split, [&](int y) {
                    std::lock_guard<std::mutex> lock(m);
                    seen.push_back({omp_get_thread_num(), y});
                    regionThreads = omp_in_parallel() ? omp_get_num_threads() : 1;
                });
                const bool serial = split == qrx::RowSplit::AboveLimit &&
                                    int64_t(roi.width) * roi.height <= 4096;
                SCOPED_TRACE(::testing::Message() << threads << " threads, " << roi.width << "x"
                                                  << roi.height << (serial ? " serial" : ""));
                ASSERT_EQ(seen.size(), size_t(roi.height));
                EXPECT_EQ(regionThreads, serial ? 1 : threads);
                std::sort(seen.begin(), seen.end(),
                          [](auto a, auto b) { return a.second < b.second; });
                const int n = serial ? 1 : threads;
                // Static schedule without chunk: the first height % n threads
                // take one row more than the others.
                int y = 0;
                for (int t = 0; t < n; ++t) {
                    const int rows = roi.height / n + (t < roi.height % n ? 1 : 0);
                    for (int k = 0; k < rows; ++k, ++y) {
                        EXPECT_EQ(seen[y].second, y);
                        EXPECT_EQ(seen[y].first, t) << "row " << y;
                    }
                }
            }
        }
    }
}

// Interlaced bands: width cut to even, height to a multiple of 4; split only
// with at least 2 threads, a cut width of at least 128 and a cut height above
// 128; band = ((height / 4) / n) x 4 rows per thread, the last thread also
// taking the remainder.
TEST(Threading, InterlacedBandsFollowTheBandRule) {
    for (int threads : {1, 2, 3, 5}) {
        qrxtest::ScopedThreads scope(threads);
        for (QrxRoiSize roi : {QrxRoiSize{128, 132}, QrxRoiSize{129, 135}, QrxRoiSize{127, 400},
                               QrxRoiSize{130, 131}, QrxRoiSize{256, 128}, QrxRoiSize{128, 133},
                               QrxRoiSize{300, 1000}}) {
            const int width = roi.width & ~1, height = roi.height & ~3;
            std::mutex m;
            std::vector<Visit> visits;
            qrx::interlacedBands(roi, [&](int first, int rows) {
                std::lock_guard<std::mutex> lock(m);
                visits.push_back({omp_get_thread_num(), omp_in_parallel() ? omp_get_num_threads() : 1,
                                  first, rows});
            });
            SCOPED_TRACE(::testing::Message() << threads << " threads, " << roi.width << "x"
                                              << roi.height);
            const bool split = threads >= 2 && width >= 128 && height > 128;
            if (!split) {
                ASSERT_EQ(visits.size(), 1u);
                EXPECT_EQ(visits[0].first, 0);
                EXPECT_EQ(visits[0].rows, height);
                EXPECT_EQ(visits[0].threads, 1);
                continue;
            }
            const int band = ((height / 4) / threads) * 4;
            const int remainder = height - threads * band;
            std::sort(visits.begin(), visits.end(),
                      [](const Visit& a, const Visit& b) { return a.thread < b.thread; });
            ASSERT_EQ(int(visits.size()), band > 0 ? threads : 1);
            for (const Visit& v : visits) {
                EXPECT_EQ(v.threads, threads);
                EXPECT_EQ(v.first, v.thread * band) << "thread " << v.thread;
                EXPECT_EQ(v.rows, band + (v.thread == threads - 1 ? remainder : 0))
                    << "thread " << v.thread;
            }
        }
    }
}

}  // namespace
