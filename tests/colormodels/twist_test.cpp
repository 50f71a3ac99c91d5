// Colour twist: every operation against a float model of the stated
// arithmetic and a double-precision model, the rounding and clamping edge
// cases as literal values, the caller's floating-point state, and the
// argument checks.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <type_traits>
#include <xmmintrin.h>

#include "twist_ops.h"

namespace {

using namespace twisttest;

template <class T>
struct Range {
    static constexpr float lo = std::is_same_v<T, Qrx32f> ? -1000.0f : float(std::numeric_limits<T>::min());
    static constexpr float hi = std::is_same_v<T, Qrx32f> ? 1000.0f : float(std::numeric_limits<T>::max());
};

// The stated arithmetic, written out again: float products, the family's
// grouping, min with the top then max with the bottom, nearest-even.
template <class T>
float modelSum(const Matrix& t, int k, const float c[4], int inputs) {
    if (inputs == 4) return ((c[0] * t[k][0] + c[1] * t[k][1]) + c[2] * t[k][2]) + c[3] * t[k][3];
    const float p0 = c[0] * t[k][0], p1 = c[1] * t[k][1], p2 = c[2] * t[k][2];
    if (std::is_same_v<T, Qrx8s>) return ((p0 + p1) + p2) + t[k][3];
    return (t[k][3] + p0) + (p1 + p2);
}

template <class T>
T modelOut(float s) {
    if constexpr (std::is_same_v<T, Qrx32f>) {
        return s;
    } else {
        if (std::isnan(s)) return std::numeric_limits<T>::max();
        const float v = std::nearbyint(std::clamp(s, Range<T>::lo, Range<T>::hi));
        return static_cast<T>(v);
    }
}

// A random sample over the type's range (floats in -1000..1000).
template <class T>
T randomSample(std::mt19937& rng) {
    if constexpr (std::is_same_v<T, Qrx32f>) {
        return std::uniform_real_distribution<float>(-1000, 1000)(rng);
    } else {
        return T(std::uniform_int_distribution<int>(int(Range<T>::lo), int(Range<T>::hi))(rng));
    }
}

// Random weights in -1.5..1.5 and constants within a third of the range.
template <class T>
void randomMatrix(Matrix& m, uint32_t seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> w(-1.5f, 1.5f), c(-1.0f, 1.0f);
    const float span = (Range<T>::hi - Range<T>::lo) / 3;
    for (int k = 0; k < 4; ++k) {
        for (int j = 0; j < 4; ++j) m[k][j] = w(rng);
        m[k][3] = c(rng) * span;
    }
}

// Checks every pixel of dst against the float model and, away from
// rounding ties, against the sum taken in double.
template <class T>
void expectModel(const TwistOp<T>& op, TestImage<T>& src, TestImage<T>& dst,
                 TestImage<T>& before, const Matrix& m) {
    const int outs = op.form == Form::C4 ? 4 : 3;
    int bad = 0, badDouble = 0, alphaChanged = 0;
    for (int y = 0; y < src.height; ++y)
        for (int x = 0; x < src.width; ++x) {
            float c[4];
            for (int j = 0; j < outs; ++j) c[j] = float(src.at(x, y, j));
            for (int k = 0; k < outs; ++k) {
                bad += dst.at(x, y, k) != modelOut<T>(modelSum<T>(m, k, c, outs));
                if constexpr (!std::is_same_v<T, Qrx32f>) {
                    const double s = double(m[k][3]) + double(c[0]) * m[k][0] +
                                     double(c[1]) * m[k][1] + double(c[2]) * m[k][2];
                    // Float rounding moves the sum by a few units of its
                    // terms' last places: compare only away from ties.
                    const double mag = std::fabs(m[k][3]) + std::fabs(c[0] * m[k][0]) +
                                       std::fabs(c[1] * m[k][1]) + std::fabs(c[2] * m[k][2]);
                    const double frac = s - std::floor(s);
                    if (std::fabs(frac - 0.5) > 1e-6 * mag + 1e-9)
                        badDouble += double(dst.at(x, y, k)) !=
                                     std::nearbyint(std::clamp<double>(s, Range<T>::lo, Range<T>::hi));
                }
            }
            if (op.form == Form::AC4) alphaChanged += dst.at(x, y, 3) != before.at(x, y, 3);
        }
    EXPECT_EQ(bad, 0);
    EXPECT_EQ(badDouble, 0);
    EXPECT_EQ(alphaChanged, 0);
}

template <class T>
void expectEveryOpFollowsModel(const std::vector<TwistOp<T>>& ops) {
    for (const auto& op : ops)
        for (int w : {1, 2, 7, 8, 15, 16, 17, 31, 33, 63, 64, 65, 130})
            for (int stepMode : {0, 1}) {  // steps below 1 are refused
                SCOPED_TRACE(op.name + " width " + std::to_string(w) + " step " + std::to_string(stepMode));
                const int h = 3;
                TestImage<T> src(op.form, w, h, stepMode), dst(op.form, w, h, stepMode);
                std::mt19937 rng(w * 7 + stepMode);
                src.fill([&] { return randomSample<T>(rng); });
                // The destination's fourth channel must keep these values.
                dst.fill([&] { return T(rng() % 97); });
                TestImage<T> before(op.form, w, h);
                before.copyFrom(op.inPlace ? src : dst);
                Matrix m;
                randomMatrix<T>(m, w + 100 * stepMode);
                ASSERT_EQ(op.run(src, dst, {w, h}, m), qrxOk);
                expectModel(op, src, dst, before, m);
                EXPECT_TRUE(dst.untouchedOutside());
            }
}

TEST(Twist, EveryOperationFollowsTheFloatAndDoubleModels) {
    expectEveryOpFollowsModel(ops8u());
    expectEveryOpFollowsModel(ops8s());
    expectEveryOpFollowsModel(ops16u());
    expectEveryOpFollowsModel(ops16s());
    expectEveryOpFollowsModel(ops32f());
}

// An image of 67 equal pixels (vector steps and a scalar tail), every
// input channel `in`, through a matrix whose rows are all `row`; returns
// the one output value every pixel and channel must have.
template <class T>
T onePixel(const TwistOp<T>& op, const float row[4], T in = T(1)) {
    const int w = 67;
    TestImage<T> src(op.form, w, 1), dst(op.form, w, 1);
    src.fill([&] { return in; });
    Matrix m;
    for (int k = 0; k < 4; ++k)
        for (int j = 0; j < 4; ++j) m[k][j] = row[j];
    EXPECT_EQ(op.run(src, dst, {w, 1}, m), qrxOk);
    const int outs = op.form == Form::C4 ? 4 : 3;
    int differ = 0;
    for (int x = 0; x < w; ++x)
        for (int k = 0; k < outs; ++k)
            differ += std::memcmp(&dst.at(x, 0, k), &dst.at(0, 0, 0), sizeof(T)) != 0;
    EXPECT_EQ(differ, 0);
    return dst.at(0, 0, 0);
}

// Constants alone (zero weights): ties go to even, out-of-range values
// clamp, NaN gives the top of the range.
template <class T>
void expectEdgeValues(const std::vector<TwistOp<T>>& ops, std::vector<std::pair<float, T>> cases) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    cases.push_back({nan, std::numeric_limits<T>::max()});
    for (const auto& op : ops)
        for (auto [constant, want] : cases) {
            SCOPED_TRACE(op.name + " constant " + std::to_string(constant));
            const float row[4] = {0, 0, 0, constant};
            EXPECT_EQ(onePixel(op, row), want);
        }
}

TEST(Twist, TiesGoToEvenAndResultsClampNaNGivesTop) {
    expectEdgeValues(ops8u(), {{0.5f, 0}, {1.5f, 2}, {2.5f, 2}, {3.5f, 4}, {254.5f, 254}, {300.7f, 255},
                               {-3.2f, 0}, {-0.5f, 0}});
    expectEdgeValues(ops16u(), {{0.5f, 0}, {1.5f, 2}, {2.5f, 2}, {65534.5f, 65534}, {70000.f, 65535},
                                {-1.f, 0}});
    expectEdgeValues(ops16s(), {{0.5f, 0}, {-0.5f, 0}, {-1.5f, -2}, {2.5f, 2}, {40000.f, 32767},
                                {-40000.f, -32768}});
    // 8s: far below the 32-bit range the conversion gives its most
    // negative value, which still saturates to -128.
    expectEdgeValues(ops8s(), {{0.5f, 0}, {1.5f, 2}, {-2.5f, -2}, {126.5f, 126}, {-1000.f, -128},
                               {200.f, 127}, {-1e20f, -128}, {-128.5f, -128}});
}

TEST(Twist, FloatOutputsAreUnclampedAndPassInfinitiesAndNaN) {
    const float inf = std::numeric_limits<float>::infinity();
    for (const auto& op : ops32f()) {
        SCOPED_TRACE(op.name);
        const float big[4] = {0, 0, 0, 1e30f}, neg[4] = {0, 0, 0, -7.25f}, infRow[4] = {inf, 0, 0, 0};
        const float half[4] = {0.5f, 0.5f, 0.5f, 0.5f};
        EXPECT_EQ(onePixel(op, big), 1e30f);
        EXPECT_EQ(onePixel(op, neg), -7.25f);
        EXPECT_EQ(onePixel(op, infRow), inf);
        EXPECT_EQ(onePixel(op, half), 2.0f);
        // inf * 0 is NaN.
        const float nanRow[4] = {0, 0, 0, 0};
        EXPECT_TRUE(std::isnan(onePixel(op, nanRow, inf)));
    }
}

// With p0 = p1 = 2^-25 and the constant 0.5, the 8s grouping gives
// 0.5 + 2^-24 (rounds to 1) and the others 0.5 (rounds to 0).
TEST(Twist, SummationGroupingDecidesTheLastBit) {
    const float row[4] = {0x1p-25f, 0x1p-25f, 0, 0.5f};
    for (const auto& op : ops8s()) EXPECT_EQ(onePixel(op, row), 1) << op.name;
    for (const auto& op : ops8u()) EXPECT_EQ(onePixel(op, row), 0) << op.name;
    for (const auto& op : ops16u()) EXPECT_EQ(onePixel(op, row), 0) << op.name;
    for (const auto& op : ops16s()) EXPECT_EQ(onePixel(op, row), 0) << op.name;
    // Float: (0.5 + 2^-25) + 2^-25 = 0.5 against 0.5 + 2^-24 the other way.
    for (const auto& op : ops32f())
        if (op.form != Form::C4) {

            EXPECT_EQ(onePixel(op, row), 0.5f) << op.name;
        }
}

TEST(Twist, IdentityKeepsEveryValueAndMatrixOrientation) {
    TestImage<Qrx8u> src(Form::C3, 256, 1), dst(Form::C3, 256, 1);
    for (int x = 0; x < 256; ++x)
        for (int c = 0; c < 3; ++c) src.at(x, 0, c) = Qrx8u(x + 85 * c);
    const Matrix identity = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};
    ASSERT_EQ(qrxiColorTwist32f_8u_C3R(src.ptrs[0], src.step(), dst.ptrs[0], dst.step(), {256, 1}, identity), qrxOk);
    EXPECT_TRUE(dst == src);
    // Output 0 takes input 2 only, output 2 input 0 plus 1.
    const Matrix swap = {{0, 0, 1, 0}, {0, 1, 0, 0}, {1, 0, 0, 1}};
    ASSERT_EQ(qrxiColorTwist32f_8u_C3R(src.ptrs[0], src.step(), dst.ptrs[0], dst.step(), {256, 1}, swap), qrxOk);
    for (int x = 0; x < 255; ++x) {
        EXPECT_EQ(dst.at(x, 0, 0), src.at(x, 0, 2));
        EXPECT_EQ(dst.at(x, 0, 2), std::min(255, src.at(x, 0, 0) + 1));
    }
}

TEST(Twist, FourByFourKeepsTheFourthChannelOnlyWithAUnitLastRow) {
    TestImage<Qrx32f> src(Form::C4, 5, 2), dst(Form::C4, 5, 2);
    float v = 1;
    src.fill([&] { return v += 1.25f; });
    Matrix m = {{0.5f, 0, 0, 0}, {0, 2, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
    ASSERT_EQ(qrxiColorTwist_32f_C4R(src.ptrs[0], src.step(), dst.ptrs[0], dst.step(), {5, 2}, m), qrxOk);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(dst.at(x, y, 3), src.at(x, y, 3));
            EXPECT_EQ(dst.at(x, y, 1), 2 * src.at(x, y, 1));
        }
    m[3][0] = 1;  // the fourth output now adds channel 0
    ASSERT_EQ(qrxiColorTwist_32f_C4R(src.ptrs[0], src.step(), dst.ptrs[0], dst.step(), {5, 2}, m), qrxOk);
    for (int x = 0; x < 5; ++x) EXPECT_EQ(dst.at(x, 0, 3), src.at(x, 0, 0) + src.at(x, 0, 3));
}

// ---- the caller's floating-point state -------------------------------------

struct FpState {
    int round;
    unsigned mxcsrControl;
    unsigned short x87;
    bool operator==(const FpState& o) const {
        return round == o.round && mxcsrControl == o.mxcsrControl && x87 == o.x87;
    }
};
FpState fpState() {
    unsigned short cw;
    __asm__ volatile("fnstcw %0" : "=m"(cw));
    // Everything but the six exception flags.
    return {std::fegetround(), _mm_getcsr() & ~0x3Fu, cw};
}

const int kModes[] = {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO};

// Integer outputs round to nearest-even in every caller mode, and the
// caller's mode, exception masks and flush setting are what they were.
// Weights 0.25, 0.25, 0 on inputs of 1 add exactly 0.5 to the constant.
template <class T>
void expectNearestEvenInEveryMode(const std::vector<TwistOp<T>>& ops, float constant, T want) {
    const float row[4] = {0.25f, 0.25f, 0.0f, constant};
    for (int mode : kModes)
        for (const auto& op : ops) {
            SCOPED_TRACE(op.name + " mode " + std::to_string(mode) + " constant " + std::to_string(constant));
            std::fesetround(mode);
            // Flush-to-zero on and the divide-by-zero trap unmasked: kept too.
            const unsigned saved = _mm_getcsr();
            _mm_setcsr((saved | 0x8000u) & ~0x0200u);
            const FpState before = fpState();
            const T got = onePixel(op, row, T(1));
            const FpState after = fpState();
            _mm_setcsr(saved);
            std::fesetround(FE_TONEAREST);
            EXPECT_EQ(got, want);
            EXPECT_TRUE(before == after);
            EXPECT_EQ(after.round, mode);
        }
}

TEST(Twist, IntegerOutputsRoundToNearestEvenInEveryCallerMode) {
    expectNearestEvenInEveryMode(ops8u(), 10.0f, Qrx8u(10));   // 10.5
    expectNearestEvenInEveryMode(ops8u(), 11.0f, Qrx8u(12));   // 11.5
    expectNearestEvenInEveryMode(ops16u(), 1000.0f, Qrx16u(1000));
    expectNearestEvenInEveryMode(ops16s(), -1002.0f, Qrx16s(-1002));  // -1001.5
    expectNearestEvenInEveryMode(ops16s(), -1001.0f, Qrx16s(-1000));  // -1000.5
    expectNearestEvenInEveryMode(ops8s(), -5.0f, Qrx8s(-4));          // -4.5
    expectNearestEvenInEveryMode(ops8s(), 6.0f, Qrx8s(6));            // 6.5
}

TEST(Twist, FloatOutputsComputeInTheCallersMode) {
    // 1 / 3 rounds differently up and down; the sum follows the mode.
    const float third = 1.0f / 3.0f;
    const float row[4] = {third, third, third, 0.1f};
    for (const auto& op : ops32f()) {
        SCOPED_TRACE(op.name);
        float got[4];
        for (int i = 0; i < 4; ++i) {
            std::fesetround(kModes[i]);
            const FpState before = fpState();
            got[i] = onePixel(op, row, 3.0f);
            EXPECT_TRUE(before == fpState());
            // The model in the same mode.
            const volatile float c = 3.0f;
            const float p = c * third;
            const float want = op.form == Form::C4 ? ((p + p) + p) + c * 0.1f : (0.1f + p) + (p + p);
            std::fesetround(FE_TONEAREST);
            EXPECT_EQ(got[i], want);
        }
        EXPECT_NE(got[1], got[2]);  // upward and downward differ
    }
}

// ---- argument checks --------------------------------------------------------

template <class T>
void expectChecksInOrder(const std::vector<TwistOp<T>>& ops) {
    for (const auto& op : ops) {
        SCOPED_TRACE(op.name);
        TestImage<T> src(op.form, 4, 3), dst(op.form, 4, 3);
        src.fill([v = 0]() mutable { return T(++v % 50); });
        dst.fill([] { return T(7); });
        const auto snap = dst.snapshot();
        Matrix m = {{1, 0, 0, 5}, {0, 1, 0, 5}, {0, 0, 1, 5}, {0, 0, 0, 1}};
        const T* nullS[3] = {nullptr, nullptr, nullptr};
        T* nullD[3] = {nullptr, nullptr, nullptr};
        auto call = [&](const T* const* sp, int ss, T* const* dp, int ds, QrxRoiSize roi, const Matrix* mp) {
            return op.call(sp, ss, dp, ds, roi, mp);
        };
        const int ss = src.step(), ds = dst.step();
        // Nulls first, even with an empty region and zero steps.
        if (!op.inPlace) {

            EXPECT_EQ(call(op.form == Form::P3 ? nullptr : nullS, 0, dst.ptrs.data(), 0, {0, 0}, &m), qrxErrNullPtr);
        }
        EXPECT_EQ(call(src.ptrs.data(), ss, op.form == Form::P3 ? nullptr : nullD, 0, {0, 0}, &m), qrxErrNullPtr);
        EXPECT_EQ(call(src.ptrs.data(), ss, dst.ptrs.data(), ds, {0, 3}, nullptr), qrxErrNullPtr);
        if (op.form == Form::P3)
            for (int p = 0; p < 3; ++p) {
                std::vector<const T*> sp(src.ptrs.begin(), src.ptrs.end());
                std::vector<T*> dp(dst.ptrs.begin(), dst.ptrs.end());
                dp[p] = nullptr;
                EXPECT_EQ(call(sp.data(), ss, dp.data(), ds, {0, 3}, &m), qrxErrNullPtr) << "dst plane " << p;
                if (!op.inPlace) {
                    dp[p] = dst.ptrs[p];
                    sp[p] = nullptr;
                    EXPECT_EQ(call(sp.data(), ss, dp.data(), ds, {0, 3}, &m), qrxErrNullPtr) << "src plane " << p;
                }
            }
        // Then the size, before the steps.
        for (QrxRoiSize roi : {QrxRoiSize{0, 3}, {4, 0}, {-4, 3}, {4, -1}})
            EXPECT_EQ(call(src.ptrs.data(), 0, dst.ptrs.data(), 0, roi, &m), qrxErrSize);
        // Then every step.
        EXPECT_EQ(call(src.ptrs.data(), ss, dst.ptrs.data(), 0, {4, 3}, &m), qrxErrStep);
        EXPECT_EQ(call(src.ptrs.data(), ss, dst.ptrs.data(), -ds, {4, 3}, &m), qrxErrStep);
        if (!op.inPlace) {

            EXPECT_EQ(call(src.ptrs.data(), 0, dst.ptrs.data(), ds, {4, 3}, &m), qrxErrStep);
        }
        EXPECT_TRUE(dst.unchangedSince(snap));
        // A 1 x 1 image is transformed (in place: the destination's 7).
        const T in = op.inPlace ? dst.at(0, 0, 0) : src.at(0, 0, 0);
        EXPECT_EQ(call(src.ptrs.data(), ss, dst.ptrs.data(), ds, {1, 1}, &m), qrxOk);
        // (The 4x4 matrix has no constant: its 5 weighs the fourth channel.)
        EXPECT_EQ(dst.at(0, 0, 0), op.form == Form::C4 ? T(in + 5 * src.at(0, 0, 3)) : T(in + 5));
    }
}

TEST(Twist, ChecksRunInOrderAndWriteNothing) {
    expectChecksInOrder(ops8u());
    expectChecksInOrder(ops8s());
    expectChecksInOrder(ops16u());
    expectChecksInOrder(ops16s());
    expectChecksInOrder(ops32f());
}

// In place and not in place give the same bytes.
template <class T>
void expectInPlaceMatches(const std::vector<TwistOp<T>>& ops) {
    for (size_t i = 0; i + 1 < ops.size(); i += 2) {
        ASSERT_FALSE(ops[i].inPlace);
        ASSERT_TRUE(ops[i + 1].inPlace);
        const int w = 77, h = 4;
        TestImage<T> src(ops[i].form, w, h), a(ops[i].form, w, h), b(ops[i].form, w, h);
        std::mt19937 rng(5);
        src.fill([&] { return randomSample<T>(rng); });
        a.copyFrom(src);
        Matrix m;
        randomMatrix<T>(m, 9);
        ASSERT_EQ(ops[i].run(src, a, {w, h}, m), qrxOk);
        ASSERT_EQ(ops[i + 1].run(src, b, {w, h}, m), qrxOk);
        EXPECT_TRUE(a == b) << ops[i].name;
    }
}

TEST(Twist, InPlaceGivesTheSameBytes) {
    expectInPlaceMatches(ops8u());
    expectInPlaceMatches(ops8s());
    expectInPlaceMatches(ops16u());
    expectInPlaceMatches(ops16s());
    expectInPlaceMatches(ops32f());
}

}  // namespace
