// Test images of the colour-model families that take three-channel,
// four-channel (AC4, C4) or three-plane images, in guarded buffers.
#pragma once

#include <cstring>
#include <memory>
#include <type_traits>
#include <vector>

#include "guarded_image.h"
#include "qrxcc.h"

namespace colortest {

using qrxtest::GuardedImage;

enum class Form { C3, AC4, P3, C4 };

// An image of one of the forms: one guarded buffer, or three planes that
// share one step. stepMode 0 is dense rows, 1 padded rows, -1 rows stored
// bottom-up.
template <class T>
struct TestImage {
    Form form;
    int width, height;
    std::vector<std::unique_ptr<GuardedImage<T>>> planes;
    std::vector<T*> ptrs;

    TestImage(Form f, int w, int h, int stepMode = 0) : form(f), width(w), height(h) {
        const int ch = channels();
        const int row = w * ch * static_cast<int>(sizeof(T));
        const int step = stepMode == 0 ? 0 : stepMode * (row + 3 * static_cast<int>(sizeof(T)) * ch);
        for (int p = 0; p < (f == Form::P3 ? 3 : 1); ++p) {
            planes.push_back(std::make_unique<GuardedImage<T>>(w, h, ch, step));
            ptrs.push_back(planes.back()->ptr());
        }
    }
    int channels() const { return form == Form::C3 ? 3 : (form == Form::P3 ? 1 : 4); }
    int step() const { return planes[0]->step(); }
    T& at(int x, int y, int c) {
        return form == Form::P3 ? planes[c]->at(x, y) : planes[0]->at(x, y, c);
    }
    // Every sample, the fourth channel included, from a seeded generator.
    template <class Gen>
    void fill(Gen&& gen) {
        for (auto& p : planes)
            for (int y = 0; y < height; ++y)
                for (int i = 0; i < width * p->channels(); ++i) p->row(y)[i] = gen();
    }
    void copyFrom(TestImage& o) {
        for (size_t p = 0; p < planes.size(); ++p)
            for (int y = 0; y < height; ++y)
                for (int i = 0; i < width * planes[p]->channels(); ++i)
                    planes[p]->row(y)[i] = o.planes[p]->row(y)[i];
    }
    bool untouchedOutside() const {
        for (auto& p : planes)
            if (!p->untouchedOutside()) return false;
        return true;
    }
    std::vector<std::vector<unsigned char>> snapshot() const {
        std::vector<std::vector<unsigned char>> s;
        for (auto& p : planes) s.push_back(p->snapshot());
        return s;
    }
    bool unchangedSince(const std::vector<std::vector<unsigned char>>& s) const {
        for (size_t i = 0; i < planes.size(); ++i)
            if (!planes[i]->unchangedSince(s[i])) return false;
        return true;
    }
    // Same bytes; for floats any NaN equals any NaN (which operand's NaN an
    // addition passes on depends on the order the compiler gives them).
    bool operator==(const TestImage& o) const {
        for (size_t p = 0; p < planes.size(); ++p)
            for (int y = 0; y < height; ++y)
                for (int i = 0; i < width * planes[p]->channels(); ++i) {
                    const T a = planes[p]->row(y)[i], b = o.planes[p]->row(y)[i];
                    if constexpr (std::is_floating_point_v<T>)
                        if (a != a && b != b) continue;
                    if (std::memcmp(&a, &b, sizeof(T))) return false;
                }
        return true;
    }
};

}  // namespace colortest
