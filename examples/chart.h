// An 8-bit image in memory and the colour test chart the demo converts.
#ifndef QRX_EXAMPLES_CHART_H
#define QRX_EXAMPLES_CHART_H

#include <cstddef>
#include <cstdint>
#include <vector>

namespace demo {

struct Image {
    int width = 0, height = 0, channels = 0;
    std::vector<uint8_t> pixels;  // dense rows

    Image() = default;
    Image(int w, int h, int c) : width(w), height(h), channels(c), pixels(size_t(w) * h * c) {}
    int step() const { return width * channels; }
    uint8_t* data() { return pixels.data(); }
    const uint8_t* data() const { return pixels.data(); }
    uint8_t* at(int x, int y) { return pixels.data() + size_t(y) * step() + size_t(x) * channels; }
};

// A 768 x 512 RGB chart, top to bottom:
//   rows   0-159  hues left to right; saturation rising to row 79, then
//                 brightness falling to black at row 159;
//   rows 160-255  twelve patches: primaries, secondaries, four skin tones,
//                 sky, foliage;
//   rows 256-287  gray ramp 0..255, three columns per level;
//   rows 288-511  fine detail: a gray and a red/blue zone plate reaching the
//                 sampling limit at their edges, checkerboards, thin lines and
//                 rows of small digits in several colours and sizes.
Image makeTestChart();

// First row of the fine detail.
constexpr int kChartDetailTop = 288;

}  // namespace demo

#endif
