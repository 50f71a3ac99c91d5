#include "chart.h"

#include <cmath>
#include <numbers>

namespace demo {

namespace {

struct Rgb {
    uint8_t r, g, b;
};

constexpr Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255}, kRed{255, 0, 0}, kGreen{0, 255, 0},
    kBlue{0, 0, 255}, kYellow{255, 255, 0}, kMagenta{255, 0, 255};

uint8_t toByte(double v) { return uint8_t(std::lround(std::fmin(std::fmax(v, 0.0), 255.0))); }

void put(Image& img, int x, int y, Rgb c) {
    uint8_t* p = img.at(x, y);
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
}

void fillRect(Image& img, int x0, int y0, int w, int h, Rgb c) {
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) put(img, x, y, c);
}

// Hue h in [0, 6), saturation and value in [0, 1].
Rgb hsv(double h, double s, double v) {
    const double f = h - std::floor(h);
    const double p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    double r = v, g = t, b = p;
    switch (int(h) % 6) {
        case 1: r = q, g = v, b = p; break;
        case 2: r = p, g = v, b = t; break;
        case 3: r = p, g = q, b = v; break;
        case 4: r = t, g = p, b = v; break;
        case 5: r = v, g = p, b = q; break;
        default: break;
    }
    return {toByte(255 * r), toByte(255 * g), toByte(255 * b)};
}

void hueField(Image& img, int y0, int h) {
    const int half = h / 2;
    for (int y = 0; y < h; ++y) {
        const double s = y < half ? double(y) / (half - 1) : 1.0;
        const double v = y < half ? 1.0 : 1.0 - double(y - half) / (h - half - 1);
        for (int x = 0; x < img.width; ++x) put(img, x, y0 + y, hsv(6.0 * x / img.width, s, v));
    }
}

void patches(Image& img, int y0, int h) {
    static constexpr Rgb kPatches[] = {
        kRed, kGreen, kBlue, {0, 255, 255}, kMagenta, kYellow,
        {241, 194, 125}, {224, 172, 105}, {198, 134, 66}, {141, 85, 36},  // skin tones
        {98, 122, 157}, {87, 108, 67},                                     // sky, foliage
    };
    const int n = int(std::size(kPatches)), w = img.width / n;
    for (int i = 0; i < n; ++i) fillRect(img, i * w, y0, w, h, kPatches[i]);
}

void grayRamp(Image& img, int y0, int h) {
    for (int y = y0; y < y0 + h; ++y)
        for (int x = 0; x < img.width; ++x) {
            const uint8_t v = uint8_t(x * 256 / img.width);
            put(img, x, y, {v, v, v});
        }
}

// cos(k r^2) around the square's centre; the local frequency k r / pi reaches
// half a cycle per pixel in the middle of each edge. `a` and `b` are the
// colours at -1 and +1.
void zonePlate(Image& img, int x0, int y0, int size, Rgb a, Rgb b) {
    const double c = (size - 1) / 2.0, k = std::numbers::pi / size;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double r2 = (x - c) * (x - c) + (y - c) * (y - c);
            const double t = 0.5 + 0.5 * std::cos(k * r2);
            put(img, x0 + x, y0 + y,
                {toByte(a.r + t * (b.r - a.r)), toByte(a.g + t * (b.g - a.g)),
                 toByte(a.b + t * (b.b - a.b))});
        }
}

void checkerboard(Image& img, int x0, int y0, int w, int h, int cell, Rgb a, Rgb b) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) put(img, x0 + x, y0 + y, ((x / cell + y / cell) & 1) ? b : a);
}

// Lines one pixel wide on white: vertical black lines whose spacing widens
// from 2 to 5 pixels, then red, green and blue lines in turn, vertical above
// and horizontal below.
void thinLines(Image& img, int x0, int y0, int w, int h) {
    fillRect(img, x0, y0, w, h, kWhite);
    const int band = w / 4;
    for (int s = 2; s <= 5; ++s)
        for (int x = (s - 2) * band / 4; x < (s - 1) * band / 4; x += s)
            for (int y = 0; y < h; ++y) put(img, x0 + x, y0 + y, kBlack);
    const Rgb colours[] = {kRed, kGreen, kBlue};
    for (int i = 0; band + 2 * i < w; ++i)
        for (int y = 0; y < h / 2; ++y) put(img, x0 + band + 2 * i, y0 + y, colours[i % 3]);
    for (int i = 0; 2 * i < h - h / 2; ++i)
        for (int x = band; x < w; ++x) put(img, x0 + x, y0 + h / 2 + 2 * i, colours[i % 3]);
}

// Digits 0-9 in a 3 x 5 cell, rows top to bottom.
constexpr const char* kGlyphs[10] = {
    "111101101101111", "010110010010111", "111001111100111", "111001111001111",
    "101101111001001", "111100111001111", "111100111101111", "111001001001001",
    "111101111101111", "111101111001111"};

// One band of repeated digits "0123456789...", each stroke `scale` pixels.
void textBand(Image& img, int x0, int y0, int w, int h, int scale, Rgb ink, Rgb paper) {
    fillRect(img, x0, y0, w, h, paper);
    const int top = y0 + (h - 5 * scale) / 2, advance = 4 * scale;
    for (int i = 0; (i + 1) * advance <= w; ++i) {
        const char* glyph = kGlyphs[i % 10];
        for (int cell = 0; cell < 15; ++cell) {
            if (glyph[cell] != '1') continue;
            const int gx = x0 + scale / 2 + i * advance + (cell % 3) * scale;
            fillRect(img, gx, top + (cell / 3) * scale, scale, scale, ink);
        }
    }
}

}  // namespace

Image makeTestChart() {
    Image img(768, 512, 3);
    hueField(img, 0, 160);
    patches(img, 160, 96);
    grayRamp(img, 256, 32);

    const int top = kChartDetailTop;
    zonePlate(img, 0, top, 224, kBlack, kWhite);
    zonePlate(img, 224, top, 224, {255, 64, 0}, {0, 64, 255});

    const int x0 = 448, w = 80;  // right-hand detail column, 320 wide
    checkerboard(img, x0, top, w, 56, 1, kBlack, kWhite);
    checkerboard(img, x0 + w, top, w, 56, 2, kBlack, kWhite);
    checkerboard(img, x0 + 2 * w, top, w, 56, 1, kRed, kGreen);
    checkerboard(img, x0 + 3 * w, top, w, 56, 2, kBlue, kYellow);
    thinLines(img, x0, top + 56, 4 * w, 56);

    struct Band {
        int height, scale;
        Rgb ink, paper;
    };
    const Band bands[] = {
        {8, 1, kBlack, kWhite},  {8, 1, kRed, kWhite},    {8, 1, kWhite, kBlue},
        {8, 1, kYellow, kBlack}, {14, 2, kBlack, kWhite}, {14, 2, kBlue, kYellow},
        {14, 2, kWhite, kRed},   {19, 3, kBlack, kWhite}, {19, 3, kGreen, kMagenta},
    };
    int y = top + 112;
    for (const Band& b : bands) {
        textBand(img, x0, y, 4 * w, b.height, b.scale, b.ink, b.paper);
        y += b.height;
    }
    return img;
}

}  // namespace demo
