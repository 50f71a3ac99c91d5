// One plane of a fuzzed call, between two inaccessible pages.
//
// The plane's rows (`rows` rows of `rowBytes` bytes, `step` bytes apart,
// row 0 last in memory for a negative step) lie flush against the page after
// them or, for `flushStart`, against the page before them; `slack` moves them
// that many bytes away from it, to vary alignment. Every byte of the mapping
// that no row covers holds a sentinel and, under AddressSanitizer, is
// poisoned, so reads of padding between rows are reported too. An empty
// plane's origin is the first byte of the trailing guard page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace qrxfuzz {

constexpr uint8_t kSentinel = 0xA5;

class GuardedPlane {
public:
    GuardedPlane(int rowBytes, int rows, int step, bool flushStart, int slack);
    ~GuardedPlane();
    GuardedPlane(const GuardedPlane&) = delete;
    GuardedPlane& operator=(const GuardedPlane&) = delete;

    uint8_t* origin() const { return origin_; }
    int step() const { return step_; }
    int rows() const { return rows_; }
    int rowBytes() const { return rowBytes_; }
    uint8_t* row(int y) const { return origin_ + std::ptrdiff_t(step_) * y; }

    // The rows' bytes, row after row (rows() x rowBytes()).
    std::vector<uint8_t> snapshot();
    // True when the rows hold `snap` and every byte outside them its sentinel.
    bool unchangedSince(const std::vector<uint8_t>& snap);
    // True when no byte outside the rows changed.
    bool outsideUntouched();
    // Poisons the bytes outside the rows (again, after a check read them).
    void guardPadding();

private:
    void setPoison(bool on);

    uint8_t* map_ = nullptr;
    size_t mapBytes_ = 0;
    uint8_t* usable_ = nullptr;  // between the guard pages
    size_t usableBytes_ = 0;
    uint8_t* origin_ = nullptr;
    int rowBytes_, rows_, step_;
    // Stretches of the usable area that no row covers: [first, last).
    std::vector<std::pair<size_t, size_t>> gaps_;
    bool poisoned_ = false;
};

}  // namespace qrxfuzz
