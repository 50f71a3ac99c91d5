// Image quality on a real photograph: dithering to two levels per channel
// keeps the local averages of the picture, which plain quantisation loses.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include <opencv2/imgcodecs.hpp>

#include "qrxcc.h"
#include "threads.h"

namespace {

// Mean absolute difference, in 8-bit units, between the 8 x 8 block
// averages of two images of the same shape.
double blockAverageError(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, int w, int h,
                         int channels) {
    double total = 0;
    int blocks = 0;
    for (int by = 0; by + 8 <= h; by += 8)
        for (int bx = 0; bx + 8 <= w; bx += 8)
            for (int c = 0; c < channels; ++c) {
                double sa = 0, sb = 0;
                for (int y = by; y < by + 8; ++y)
                    for (int x = bx; x < bx + 8; ++x) {
                        const size_t i = (size_t(y) * w + x) * channels + c;
                        sa += a[i];
                        sb += b[i];
                    }
                total += std::fabs(sa - sb) / 64;
                ++blocks;
            }
    return total / blocks;
}

TEST(ReduceBitsPhoto, DitheringKeepsLocalAverages) {
    const cv::Mat photo = cv::imread(std::string(QRX_PHOTOGRAPHS) + "/astronaut.png");
    ASSERT_FALSE(photo.empty());
    ASSERT_TRUE(photo.isContinuous());
    const int w = photo.cols, h = photo.rows, step = w * 3;
    const std::vector<uint8_t> pixels(photo.data, photo.data + size_t(step) * h);
    qrxtest::ScopedThreads threads(2);
    double error[5];
    for (int method = 0; method <= 4; ++method) {
        std::vector<uint8_t> out(pixels.size());
        ASSERT_EQ(qrxiReduceBits_8u_C3R(pixels.data(), step, out.data(), step, {w, h}, 0,
                                        QrxDitherType(method), 2),
                  qrxOk);
        for (uint8_t v : out) ASSERT_TRUE(v == 0 || v == 255);
        error[method] = blockAverageError(pixels, out, w, h, 3);
    }
    // Two levels without a dither lose most of each block's average...
    EXPECT_GT(error[0], 40.0);
    // ...the error diffusions keep it within a few levels (measured 2.8,
    // 4.0 and 3.4), the ordered dither within a few more (5.0).
    for (int method = 1; method <= 3; ++method) EXPECT_LT(error[method], 4.5) << method;
    EXPECT_LT(error[4], 6.0);
}

}  // namespace
