// Test images that catch stray reads and writes.
//
// A GuardedImage<T> holds `height` rows of `width * channels` elements at a
// chosen byte step (padded, or negative so rows run backwards in memory).
// Every byte of its buffer that is not part of the region is filled with a
// sentinel, and the buffer ends exactly at an inaccessible page, placed right
// after the last byte the region may touch: any overread or overwrite past
// the region's end crashes the test. untouchedOutside() reports whether the
// sentinel margins (before the region and between rows) are intact, and
// snapshots let a test assert that a failing call wrote nothing at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

namespace qrxtest {

constexpr unsigned char kSentinel = 0xA5;

class GuardedBuffer {
public:
    // `bytes` usable bytes ending right before a PROT_NONE page; `lead`
    // sentinel bytes are part of `bytes`.
    explicit GuardedBuffer(size_t bytes);
    ~GuardedBuffer();
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;
    unsigned char* data() const { return data_; }
    size_t size() const { return size_; }

private:
    unsigned char* map_ = nullptr;
    size_t mapBytes_ = 0;
    unsigned char* data_ = nullptr;
    size_t size_ = 0;
};

template <class T>
class GuardedImage {
public:
    // stepBytes 0 means dense rows; a negative step stores row 0 last.
    GuardedImage(int width, int height, int channels = 1, int stepBytes = 0, int leadBytes = 64)
        : width_(width), height_(height), channels_(channels) {
        const int rowBytes = width * channels * static_cast<int>(sizeof(T));
        step_ = stepBytes == 0 ? rowBytes : stepBytes;
        const int absStep = step_ < 0 ? -step_ : step_;
        const size_t span =
            height > 0 ? static_cast<size_t>(absStep) * (height - 1) + rowBytes : 0;
        lead_ = static_cast<size_t>(leadBytes);
        buf_ = std::make_unique<GuardedBuffer>(lead_ + span);
        std::memset(buf_->data(), kSentinel, buf_->size());
        // Row 0 sits at the lowest address for a positive step, at the
        // highest for a negative one; either way the span ends at the guard.
        unsigned char* first = buf_->data() + lead_;
        origin_ = step_ < 0 && height > 0 ? first + static_cast<size_t>(absStep) * (height - 1) : first;
        for (int y = 0; y < height; ++y) std::memset(rowBytesPtr(y), 0, rowBytes);
    }

    T* ptr() { return reinterpret_cast<T*>(origin_); }
    const T* ptr() const { return reinterpret_cast<const T*>(origin_); }
    int step() const { return step_; }
    int width() const { return width_; }
    int height() const { return height_; }
    int channels() const { return channels_; }

    T* row(int y) { return reinterpret_cast<T*>(rowBytesPtr(y)); }
    const T* row(int y) const { return reinterpret_cast<const T*>(rowBytesPtr(y)); }
    T& at(int x, int y, int c = 0) { return row(y)[x * channels_ + c]; }
    const T& at(int x, int y, int c = 0) const { return row(y)[x * channels_ + c]; }

    // Fills the region with values from a seeded generator.
    void randomize(uint32_t seed, int lo = 0, int hi = 255) {
        std::mt19937 rng(seed);
        std::uniform_int_distribution<int> d(lo, hi);
        for (int y = 0; y < height_; ++y)
            for (int i = 0; i < width_ * channels_; ++i) row(y)[i] = static_cast<T>(d(rng));
    }
    void fill(T v) {
        for (int y = 0; y < height_; ++y)
            for (int i = 0; i < width_ * channels_; ++i) row(y)[i] = v;
    }

    // True when every byte outside the region still holds the sentinel.
    bool untouchedOutside() const {
        const unsigned char* b = buf_->data();
        std::vector<char> region(buf_->size(), 0);
        const size_t rowBytes = static_cast<size_t>(width_) * channels_ * sizeof(T);
        for (int y = 0; y < height_; ++y)
            std::memset(region.data() + (rowBytesPtr(y) - b), 1, rowBytes);
        for (size_t i = 0; i < buf_->size(); ++i)
            if (!region[i] && b[i] != kSentinel) return false;
        return true;
    }

    // The whole buffer, for before/after comparisons.
    std::vector<unsigned char> snapshot() const {
        return std::vector<unsigned char>(buf_->data(), buf_->data() + buf_->size());
    }
    bool unchangedSince(const std::vector<unsigned char>& snap) const {
        return snap.size() == buf_->size() &&
               std::memcmp(snap.data(), buf_->data(), snap.size()) == 0;
    }

private:
    unsigned char* rowBytesPtr(int y) const {
        return origin_ + static_cast<std::ptrdiff_t>(step_) * y;
    }

    int width_, height_, channels_, step_ = 0;
    size_t lead_ = 0;
    std::unique_ptr<GuardedBuffer> buf_;
    unsigned char* origin_ = nullptr;
};

}  // namespace qrxtest
