// Colour twist: every operation against a float model of the stated
// arithmetic and a double-precision model, the rounding and clamping edge
// cases as literal values, the caller's floating-point state, the argument
// checks and in-place forms.
#include <gtest/gtest.h>

#include <xmmintrin.h>

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <limits>
#include <random>

#include "twist_ops.h"

namespace {

using namespace twisttest;

template <class T>
constexpr float kLo = std::is_same_v<T, Qrx32f> ? -1000.0f : float(std::numeric_limits<T>::min());
template <class T>
constexpr float kHi = std::is_same_v<T, Qrx32f> ? 1000.0f : float(std::numeric_limits<T>::max());

// The stated arithmetic written out again: float products, the type's
// grouping, min with the top then max with the bottom, nearest-even.
template <class T>
T model(const Matrix& t, int k, const float c[4], bool fourByFour) {
    const float p0 = c[0] * t[k][0], p1 = c[1] * t[k][1], p2 = c[2] * t[k][2];
    const float s = fourByFour ? ((p0 + p1) + p2) + c[3] * t[k][3]
                    : std::is_same_v<T, Qrx8s> ? ((p0 + p1) + p2) + t[k][3]
                                               : (t[k][3] + p0) + (p1 + p2);
    if constexpr (std::is_same_v<T, Qrx32f>) {
        return s;
    } else {
        return std::isnan(s) ? std::numeric_limits<T>::max() : T(std::nearbyint(std::clamp(s, kLo<T>, kHi<T>)));
    }
}

template <class T>
T randomSample(std::mt19937& rng) {
    if constexpr (std::is_same_v<T, Qrx32f>) return std::uniform_real_distribution<float>(kLo<T>, kHi<T>)(rng);
    else return T(std::uniform_int_distribution<int>(int(kLo<T>), int(kHi<T>))(rng));
}

// Weights in -1.5..1.5, constants within a third of the range.
template <class T>
void randomMatrix(Matrix& m, uint32_t seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> w(-1.5f, 1.5f), c(-1.0f, 1.0f);
    for (auto& row : m) {
        for (float& v : row) v = w(rng);
        row[3] = c(rng) * (kHi<T> - kLo<T>) / 3;
    }
}

// Every pixel against the float model, and (integer outputs, away from
// ties) against the sum in double; the fourth element of AC4 destinations
// keeps its value; nothing outside the region changes.
TEST(Twist, EveryOperationFollowsTheFloatAndDoubleModels) {
    forEveryType([](const auto& ops) {
        using T = SampleOf<decltype(ops)>;
        for (const auto& op : ops)
            for (int w : {1, 2, 7, 8, 15, 16, 17, 31, 33, 63, 64, 65, 130})
                for (bool padded : {false, true}) {
                    SCOPED_TRACE(op.name + " width " + std::to_string(w) + (padded ? " padded" : ""));
                    const int h = 3, outs = op.form == Form::C4 ? 4 : 3;
                    TestImage<T> src(op.form, w, h, padded), dst(op.form, w, h, padded), before(op.form, w, h);
                    std::mt19937 rng(w * 7 + padded);
                    src.fill([&] { return randomSample<T>(rng); });
                    dst.fill([&] { return T(rng() % 97); });
                    before.copyFrom(op.inPlace ? src : dst);
                    Matrix m;
                    randomMatrix<T>(m, w + 100 * padded);
                    ASSERT_EQ(op.run(src, dst, {w, h}, m), qrxOk);
                    int bad = 0, badDouble = 0, alpha = 0;
                    for (int y = 0; y < h; ++y)
                        for (int x = 0; x < w; ++x) {
                            float c[4];
                            for (int j = 0; j < outs; ++j) c[j] = float(src.at(x, y, j));
                            for (int k = 0; k < outs; ++k) {
                                bad += dst.at(x, y, k) != model<T>(m, k, c, outs == 4);
                                const double s = double(m[k][3]) + double(c[0]) * m[k][0] + double(c[1]) * m[k][1] +
                                                 double(c[2]) * m[k][2];
                                // Float rounding moves the sum by a few units in
                                // the last place of its terms.
                                const double margin = 1e-6 * (std::fabs(m[k][3]) + std::fabs(c[0] * m[k][0]) +
                                                              std::fabs(c[1] * m[k][1]) + std::fabs(c[2] * m[k][2]));
                                if (!std::is_same_v<T, Qrx32f> && std::fabs(s - std::floor(s) - 0.5) > margin)
                                    badDouble += dst.at(x, y, k) != std::nearbyint(std::clamp<double>(s, kLo<T>, kHi<T>));
                            }
                            if (op.form == Form::AC4) alpha += dst.at(x, y, 3) != before.at(x, y, 3);
                        }
                    EXPECT_EQ(bad, 0);
                    EXPECT_EQ(badDouble, 0);
                    EXPECT_EQ(alpha, 0);
                    EXPECT_TRUE(dst.untouchedOutside());
                }
    });
}

// 67 equal pixels (vector steps and a scalar tail) with every channel `in`,
// through a matrix whose rows all equal `row`: the one output value every
// pixel and channel must have.
template <class T>
T uniform(const TwistOp<T>& op, const float row[4], T in = T(1)) {
    const int w = 67, outs = op.form == Form::C4 ? 4 : 3;
    TestImage<T> src(op.form, w, 1), dst(op.form, w, 1);
    src.fill([&] { return in; });
    Matrix m;
    for (auto& r : m) std::copy(row, row + 4, r);
    EXPECT_EQ(op.run(src, dst, {w, 1}, m), qrxOk);
    for (int x = 0; x < w; ++x)
        for (int k = 0; k < outs; ++k) EXPECT_EQ(std::memcmp(&dst.at(x, 0, k), &dst.at(0, 0, 0), sizeof(T)), 0);
    return dst.at(0, 0, 0);
}

// Constants alone: ties go to even, results clamp, NaN gives the top.
template <class T>
void expectConstants(const std::vector<TwistOp<T>>& ops, std::vector<std::pair<float, T>> cases) {
    cases.push_back({std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<T>::max()});
    for (const auto& op : ops)
        for (auto [constant, want] : cases) {
            const float row[4] = {0, 0, 0, constant};
            EXPECT_EQ(uniform(op, row), want) << op.name << " constant " << constant;
        }
}

TEST(Twist, TiesGoToEvenResultsClampAndNaNGivesTheTop) {
    expectConstants(ops8u(), {{0.5f, 0}, {1.5f, 2}, {2.5f, 2}, {254.5f, 254}, {300.7f, 255}, {-3.2f, 0}});
    expectConstants(ops16u(), {{0.5f, 0}, {1.5f, 2}, {2.5f, 2}, {65534.5f, 65534}, {70000.f, 65535}, {-1.f, 0}});
    expectConstants(ops16s(), {{-0.5f, 0}, {-1.5f, -2}, {2.5f, 2}, {40000.f, 32767}, {-40000.f, -32768}});
    // Far below the 32-bit range the 8s conversion gives its most negative
    // value, which still saturates to -128.
    expectConstants(ops8s(), {{0.5f, 0}, {1.5f, 2}, {-2.5f, -2}, {126.5f, 126}, {-1000.f, -128}, {200.f, 127},
                              {-1e20f, -128}, {-128.5f, -128}});
}

TEST(Twist, FloatOutputsAreUnclampedAndPassInfinitiesAndNaN) {
    const float inf = std::numeric_limits<float>::infinity();
    const float big[4] = {0, 0, 0, 1e30f}, infRow[4] = {inf, 0, 0, 0}, half[4] = {0.5f, 0.5f, 0.5f, 0.5f},
                zero[4] = {0, 0, 0, 0};
    for (const auto& op : ops32f()) {
        SCOPED_TRACE(op.name);
        EXPECT_EQ(uniform(op, big), 1e30f);
        EXPECT_EQ(uniform(op, infRow), inf);
        EXPECT_EQ(uniform(op, half), 2.0f);
        EXPECT_TRUE(std::isnan(uniform(op, zero, inf)));  // inf x 0
    }
}

// With p0 = p1 = 2^-25 and the constant 0.5, the 8s grouping gives
// 0.5 + 2^-24 (rounds to 1) and the others 0.5 (rounds to 0).
TEST(Twist, SummationGroupingDecidesTheLastBit) {
    const float row[4] = {0x1p-25f, 0x1p-25f, 0, 0.5f};
    for (const auto& op : ops8s()) EXPECT_EQ(uniform(op, row), 1) << op.name;
    for (const auto& op : ops8u()) EXPECT_EQ(uniform(op, row), 0) << op.name;
    for (const auto& op : ops16u()) EXPECT_EQ(uniform(op, row), 0) << op.name;
    for (const auto& op : ops16s()) EXPECT_EQ(uniform(op, row), 0) << op.name;
    for (const auto& op : ops32f()) EXPECT_EQ(uniform(op, row), op.form == Form::C4 ? 0.5f + 0x1p-24f : 0.5f) << op.name;
}

TEST(Twist, IdentityKeepsEveryValueAndFourByFourItsFourthRow) {
    TestImage<Qrx8u> src(Form::C3, 256, 1), dst(Form::C3, 256, 1);
    src.fill([v = 0]() mutable { return Qrx8u(v++ * 85 / 3); });
    const Matrix identity = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};
    ASSERT_EQ(ops8u()[0].run(src, dst, {256, 1}, identity), qrxOk);
    EXPECT_TRUE(dst == src);
    TestImage<Qrx32f> f(Form::C4, 5, 1), g(Form::C4, 5, 1);
    f.fill([v = 1.0f]() mutable { return v += 1.25f; });
    Matrix m = {{0.5f, 0, 0, 0}, {0, 2, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
    ASSERT_EQ(ops32f().back().run(f, g, {5, 1}, m), qrxOk);
    for (int x = 0; x < 5; ++x) EXPECT_EQ(g.at(x, 0, 3), f.at(x, 0, 3));
    m[3][0] = 1;  // the fourth output now adds channel 0
    ASSERT_EQ(ops32f().back().run(f, g, {5, 1}, m), qrxOk);
    for (int x = 0; x < 5; ++x) EXPECT_EQ(g.at(x, 0, 3), f.at(x, 0, 0) + f.at(x, 0, 3));
}

// ---- the caller's floating-point state -------------------------------------

// Rounding mode, x87 control word and MXCSR without its exception flags.
std::tuple<int, unsigned, unsigned short> fpState() {
    unsigned short cw;
    __asm__ volatile("fnstcw %0" : "=m"(cw));
    return {std::fegetround(), _mm_getcsr() & ~0x3Fu, cw};
}

const int kModes[] = {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO};

// Weights 0.25, 0.25, 0 on inputs of 1 add exactly 0.5 to the constant:
// integer outputs round it to even in every caller mode, and the caller's
// mode, masks and flush-to-zero setting are as they were.
template <class T>
void expectNearestEven(const std::vector<TwistOp<T>>& ops, float constant, T want) {
    const float row[4] = {0.25f, 0.25f, 0.0f, constant};
    for (int mode : kModes)
        for (const auto& op : ops) {
            SCOPED_TRACE(op.name + " mode " + std::to_string(mode));
            std::fesetround(mode);
            const unsigned saved = _mm_getcsr();
            _mm_setcsr((saved | 0x8000u) & ~0x0200u);  // flush to zero, divide-by-zero trap unmasked
            const auto before = fpState();
            const T got = uniform(op, row);
            const auto after = fpState();
            _mm_setcsr(saved);
            std::fesetround(FE_TONEAREST);
            EXPECT_EQ(got, want);
            EXPECT_EQ(before, after);
        }
}

TEST(Twist, IntegerOutputsRoundToNearestEvenInEveryCallerMode) {
    expectNearestEven(ops8u(), 10.0f, Qrx8u(10));   // 10.5
    expectNearestEven(ops8u(), 11.0f, Qrx8u(12));   // 11.5
    expectNearestEven(ops16u(), 1000.0f, Qrx16u(1000));
    expectNearestEven(ops16s(), -1002.0f, Qrx16s(-1002));
    expectNearestEven(ops16s(), -1001.0f, Qrx16s(-1000));
    expectNearestEven(ops8s(), -5.0f, Qrx8s(-4));
    expectNearestEven(ops8s(), 6.0f, Qrx8s(6));
}

TEST(Twist, FloatOutputsComputeInTheCallersMode) {
    const float third = 1.0f / 3.0f, row[4] = {third, third, third, 0.1f};
    for (const auto& op : ops32f()) {
        float got[4];
        for (int i = 0; i < 4; ++i) {
            std::fesetround(kModes[i]);
            const auto before = fpState();
            got[i] = uniform(op, row, 3.0f);
            EXPECT_EQ(before, fpState());
            const volatile float three = 3.0f;
            const float p = three * third;  // the model, in the same mode
            const float want = op.form == Form::C4 ? ((p + p) + p) + three * 0.1f : (0.1f + p) + (p + p);
            std::fesetround(FE_TONEAREST);
            EXPECT_EQ(got[i], want) << op.name << " mode " << kModes[i];
        }
        EXPECT_NE(got[1], got[2]) << op.name;  // upward and downward differ
    }
}

// ---- checks, in place ---------------------------------------------------------

TEST(Twist, ChecksRunInOrderAndWriteNothing) {
    const Matrix m = {{1, 0, 0, 5}, {0, 1, 0, 5}, {0, 0, 1, 5}, {0, 0, 0, 1}};
    forEveryType([&](const auto& ops) {
        using T = SampleOf<decltype(ops)>;
        for (const auto& op : ops) {
            expectChecksInOrder<T, Twist>(op, m);
            // A null matrix is found with the pointers, before the size.
            TestImage<T> src(op.form, 1, 1), dst(op.form, 1, 1);
            EXPECT_EQ(op.call(src.ptrs.data(), 1, dst.ptrs.data(), 1, {0, 0}, nullptr), qrxErrNullPtr);
            // A 1 x 1 image is transformed.
            src.fill([] { return T(2); });
            ASSERT_EQ(op.run(src, dst, {1, 1}, m), qrxOk);
            EXPECT_EQ(dst.at(0, 0, 0), T(op.form == Form::C4 ? 12 : 7));
        }
    });
}

TEST(Twist, InPlaceGivesTheSameBytes) {
    forEveryType([](const auto& ops) {
        using T = SampleOf<decltype(ops)>;
        Matrix m;
        randomMatrix<T>(m, 9);
        std::mt19937 rng(5);
        expectInPlaceMatches<T, Twist>(ops, 77, 4, [&] { return randomSample<T>(rng); }, m);
    });
}

}  // namespace
