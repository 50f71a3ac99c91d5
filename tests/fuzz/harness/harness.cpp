#include "harness/harness.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>
#include <sstream>

#include "frame/dispatch.h"
#include "targets.h"
#include "threads.h"

namespace qrxfuzz {
namespace {

// Regions stay small enough for thousands of calls a second, yet reach the
// threaded paths (above 4096 pixels; interlaced bands from 128 x 132).
constexpr int kMaxWidth = 4200;
constexpr int kMaxHeight = 2100;
constexpr int64_t kMaxPixels = 1 << 15;

const std::vector<int> kInterestingInts = {0, 1, 2, 3, -1, 4, 16, 100, 101, 255, 256, 257,
                                           65535, 65536, 65537, INT_MIN, INT_MAX};

const std::vector<Qrx32f> kInterestingFloats = {
    0.0f, -0.0f, 1.0f, -1.0f, 0.5f, 0.299f, 0.587f, 0.114f, 0.9f, 2.0f, 255.0f, 255.5f, 256.0f,
    65535.0f, 65536.0f, -32768.0f, 1e-45f, 1.17549435e-38f, 3.4e38f, -3.4e38f, 4.6116860e18f,
    4294967296.0f, std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
    std::numeric_limits<float>::quiet_NaN(), -std::numeric_limits<float>::quiet_NaN()};

class Reader {
public:
    Reader(const uint8_t* d, size_t n) : d_(d), n_(n) {}
    uint8_t u8() { return pos_ < n_ ? d_[pos_++] : 0; }
    uint16_t u16() {
        const uint16_t lo = u8();
        return uint16_t(lo | uint16_t(u8()) << 8);
    }
    int16_t i16() { return int16_t(u16()); }
    uint32_t u32() {
        const uint32_t lo = u16();
        return lo | uint32_t(u16()) << 16;
    }
    int32_t i32() { return int32_t(u32()); }
    Qrx32f f32() {
        const uint32_t v = u32();
        Qrx32f f;
        std::memcpy(&f, &v, 4);
        return f;
    }
    std::vector<uint8_t> rest() {
        std::vector<uint8_t> r(d_ + std::min(pos_, n_), d_ + n_);
        pos_ = n_;
        return r;
    }

private:
    const uint8_t* d_;
    size_t n_, pos_ = 0;
};

class Writer {
public:
    void u8(uint8_t v) { out.push_back(v); }
    void u16(uint16_t v) {
        u8(uint8_t(v));
        u8(uint8_t(v >> 8));
    }
    void u32(uint32_t v) {
        u16(uint16_t(v));
        u16(uint16_t(v >> 16));
    }
    std::vector<uint8_t> out;
};

int pickInt(Reader& r, const std::vector<int>& values) {
    const uint8_t sel = r.u8();
    const int32_t raw = r.i32();
    const auto& list = values.empty() ? kInterestingInts : values;
    const size_t i = sel % (list.size() + 1);
    return i < list.size() ? list[i] : raw;
}

Qrx32f pickFloat(Reader& r, const std::vector<Qrx32f>& values) {
    const uint8_t sel = r.u8();
    const Qrx32f raw = r.f32();
    const auto& list = values.empty() ? kInterestingFloats : values;
    const size_t i = sel % (list.size() + 1);
    return i < list.size() ? list[i] : raw;
}

int clampSize(int v, int limit) { return v > limit || v < -limit ? v % limit : v; }

QrxRoiSize boundedSize(int w, int h) {
    w = clampSize(w, kMaxWidth);
    h = clampSize(h, kMaxHeight);
    if (w > 0 && h > 0 && int64_t(w) * h > kMaxPixels) h = std::max<int>(1, int(kMaxPixels / w));
    return {w, h};
}

// Steps for every kind of caller: dense, padded, negative (row 0 last), rows a
// page apart; for sources also zero and overlapping rows; for families that
// check steps also zero and values below 1. Rows that are written never
// overlap: that is the caller's promise.
int decodeStep(uint8_t mode, uint8_t arg, int rowBytes, int elem, bool readOnly, bool checked) {
    const int pad = (1 + arg % 64) * elem;
    switch (mode % 8) {
        case 0: return rowBytes;
        case 1: return rowBytes + pad;
        case 2: return -rowBytes;
        case 3: return -(rowBytes + pad);
        case 4: return rowBytes + 4096 + pad;
        case 5: return readOnly || checked ? 0 : rowBytes + pad;
        case 6: return readOnly ? std::max(0, rowBytes - pad) : -(rowBytes + 4096 + pad);
        default: return checked ? -int(arg % 8) * elem : rowBytes;
    }
}

Call paramsOf(const Plan& p);

QrxRoiSize imageSize(const Plan& p, const Image& im) {
    if (im.sizedBy == SizedBy::Own && im.extent) return im.extent(paramsOf(p));
    return im.sizedBy == SizedBy::Sensor ? p.sensor : p.roi;
}

// The image whose pointer (or plane) the plan nulls, or -1.
int nulledImage(const Plan& p) {
    int pointer = 0;
    for (int i = 0; i < p.entry->shape.images; ++i) {
        pointer += p.entry->shape.image[i].planar ? 1 + p.entry->images[i].planes : 1;
        if (p.nullPointer < pointer) return p.nullPointer >= 0 ? i : -1;
    }
    return -1;
}

bool nullDoesNothing(const Plan& p) {
    const int i = nulledImage(p);
    return i >= 0 && p.entry->images[i].nullDoesNothing;
}

// A valid call that succeeds without writing: a null image the operation
// does not need, or parameters that select nothing to do.
bool convertsNothing(const Plan& p) { return nullDoesNothing(p) || holds(p.entry->rules.doesNothing, p); }

// Source samples: the input's bytes, repeated, salted per plane.
class SampleStream {
public:
    SampleStream(const std::vector<uint8_t>& s, uint32_t salt) : s_(s), state_(salt * 2654435761u + 1) {}
    uint8_t next() {
        if (s_.empty()) {
            state_ = state_ * 1664525u + 1013904223u;
            return uint8_t(state_ >> 24);
        }
        const uint8_t b = s_[i_ % s_.size()];
        const uint8_t turn = uint8_t(i_ / s_.size());
        ++i_;
        return uint8_t(b + turn * 47 + (state_ & 0xFF));
    }

private:
    const std::vector<uint8_t>& s_;
    size_t i_ = 0;
    uint32_t state_;
};

void fillSource(GuardedPlane& g, Elem elem, const Plan& p, uint32_t salt) {
    SampleStream in(p.samples, salt);
    const int mode = p.sampleFill % 3;
    for (int y = 0; y < g.rows(); ++y) {
        uint8_t* row = g.row(y);
        if (elem != Elem::F32 || mode == 2) {
            for (int i = 0; i < g.rowBytes(); ++i) row[i] = in.next();
            continue;
        }
        for (int i = 0; i + 4 <= g.rowBytes(); i += 4) {
            const uint8_t b = in.next();
            const Qrx32f v = mode == 0 ? Qrx32f(b) : kInterestingFloats[b % kInterestingFloats.size()];
            std::memcpy(row + i, &v, 4);
        }
    }
}

// What a destination holds before the call (so unwritten samples compare).
void fillDestination(GuardedPlane& g, uint32_t salt) {
    for (int y = 0; y < g.rows(); ++y)
        for (int i = 0; i < g.rowBytes(); ++i) g.row(y)[i] = uint8_t(i * 167 + y * 13 + salt * 71 + 5);
}

bool sameRows(GuardedPlane& a, GuardedPlane& b, Elem elem, std::string* where) {
    for (int y = 0; y < a.rows(); ++y) {
        const uint8_t* ra = a.row(y);
        const uint8_t* rb = b.row(y);
        if (std::memcmp(ra, rb, a.rowBytes()) == 0) continue;
        for (int i = 0; i < a.rowBytes(); ++i) {
            if (ra[i] == rb[i]) continue;
            if (elem == Elem::F32) {
                const int at = i & ~3;
                Qrx32f fa, fb;
                std::memcpy(&fa, ra + at, 4);
                std::memcpy(&fb, rb + at, 4);
                if (std::isnan(fa) && std::isnan(fb)) {
                    i = at + 3;
                    continue;
                }
            }
            *where = "row " + std::to_string(y) + " byte " + std::to_string(i) + ": " +
                     std::to_string(ra[i]) + " against " + std::to_string(rb[i]);
            return false;
        }
    }
    return true;
}

bool keptChannelUnchanged(GuardedPlane& g, const std::vector<uint8_t>& snap, const Image& im,
                          int elemBytes) {
    const int px = im.plane[0].channels * elemBytes;
    for (int y = 0; y < g.rows(); ++y)
        for (int x = 0; x + px <= g.rowBytes(); x += px) {
            const size_t at = size_t(x + im.kept * elemBytes);
            if (std::memcmp(g.row(y) + at, snap.data() + size_t(y) * g.rowBytes() + at, elemBytes) != 0)
                return false;
        }
    return true;
}

Call paramsOf(const Plan& p) {
    Call c{};
    c.roi = p.roi;
    c.sensor = p.sensor;
    c.rect = p.rect;
    std::copy(std::begin(p.ints), std::end(p.ints), c.ints);
    std::copy(std::begin(p.floats), std::end(p.floats), c.floats);
    return c;
}

QrxStatus run(const Entry& e, const Prepared& prepared, int target, int threads) {
    qrxtest::ScopedThreads scopedThreads(threads);
    qrxtest::TargetScope scopedTarget(static_cast<qrx::Target>(target));
    return e.invoke(prepared.call);
}

std::vector<int> supportedTargets() {
    std::vector<int> out;
    for (int t = 0; t < qrx::kTargetCount; ++t)
        if (qrx::targetSupported(static_cast<qrx::Target>(t))) out.push_back(t);
    return out;
}

}  // namespace

int pointerCount(const Entry& e) {
    int n = e.shape.matrix ? 1 : 0;
    for (int i = 0; i < e.shape.images; ++i) n += e.shape.image[i].planar ? 1 + e.images[i].planes : 1;
    return n;
}

std::vector<const Entry*> selectable(const std::string& filter) {
    std::vector<const Entry*> out;
    for (const Entry& e : entries())
        if (filter.empty() || std::string(e.family).find(filter) != std::string::npos ||
            std::string(e.name).find(filter) != std::string::npos)
            out.push_back(&e);
    return out;
}

Plan decode(const uint8_t* data, size_t size, const std::vector<const Entry*>& from) {
    Reader r(data, size);
    Plan p;
    const uint32_t key = r.u32();
    auto it = std::lower_bound(from.begin(), from.end(), key,
                               [](const Entry* e, uint32_t k) { return e->key < k; });
    p.entry = it == from.end() ? from.front() : *it;
    const Entry& e = *p.entry;
    const int w = r.i16(), h = r.i16();
    p.roi = boundedSize(w, h);
    if (e.shape.rect) {
        const int sw = r.i16(), sh = r.i16();
        p.sensor = boundedSize(sw, sh);
        // The region's origin: mostly inside the source (the region may still
        // reach past its edges), else anywhere.
        const uint8_t inside = r.u8();
        int x = r.i16(), y = r.i16();
        if (inside % 4 != 0) {
            x = std::abs(x) % std::max(1, p.sensor.width);
            y = std::abs(y) % std::max(1, p.sensor.height);
        }
        p.rect = {x, y, p.roi.width, p.roi.height};
    }
    p.threads = 1 + r.u8() % 8;
    static const std::vector<int> targets = supportedTargets();
    p.target = targets[r.u8() % targets.size()];
    for (int i = 0; i < e.shape.images; ++i) {
        const Image& im = e.images[i];
        const ImageShape& sh = e.shape.image[i];
        const int elem = elemBytes(sh.elem);
        const bool readOnly = accessOf(e, i) == Access::Read;
        const QrxRoiSize size = imageSize(p, im);
        for (int k = 0; k < im.planes; ++k) {
            PlanePlan& pp = p.planes[i][k];
            const Plane& pl = im.plane[k];
            pp.rowBytes = pl.columns(size.width) * pl.channels * elem;
            pp.rows = pl.rows(size.height);
            const uint8_t mode = r.u8(), arg = r.u8(), place = r.u8();
            if (sh.steps == Steps::None)
                pp.step = pp.rowBytes;
            else if (sh.steps == Steps::One && k > 0)
                pp.step = p.planes[i][0].step;
            else
                pp.step = decodeStep(mode, arg, pp.rowBytes, elem, readOnly, e.rules.stepsChecked);
            pp.flushStart = place & 1;
            pp.slack = ((place >> 1) % 32) * elem;
        }
    }
    const uint8_t nullByte = r.u8();
    if (nullByte >= 0xC0) p.nullPointer = (nullByte - 0xC0) % pointerCount(e);
    for (int k = 0; k < e.shape.ints; ++k)
        p.ints[k] = pickInt(r, k < int(e.ints.size()) ? e.ints[k].values : std::vector<int>{});
    for (int k = 0; k < e.shape.floats; ++k)
        p.floats[k] = pickFloat(r, k < int(e.floats.size()) ? e.floats[k].values : std::vector<Qrx32f>{});
    if (e.shape.weights)
        for (Qrx32f& v : p.weights) v = pickFloat(r, {});
    if (e.shape.matrix)
        for (auto& row : p.matrix)
            for (Qrx32f& v : row) v = pickFloat(r, {});
    p.sampleFill = r.u8();
    p.samples = r.rest();
    return p;
}

Plan validPlan(const Entry& e, QrxRoiSize roi, uint32_t seed) {
    Plan p;
    p.entry = &e;
    p.roi = roi;
    p.sensor = {roi.width + 8, roi.height + 8};
    p.rect = {4, 4, roi.width, roi.height};
    for (int i = 0; i < e.shape.images; ++i) {
        const Image& im = e.images[i];
        const int elem = elemBytes(e.shape.image[i].elem);
        const QrxRoiSize size = imageSize(p, im);
        for (int k = 0; k < im.planes; ++k) {
            PlanePlan& pp = p.planes[i][k];
            pp.rowBytes = im.plane[k].columns(size.width) * im.plane[k].channels * elem;
            pp.rows = im.plane[k].rows(size.height);
            pp.step = e.shape.image[i].steps == Steps::None ? pp.rowBytes : pp.rowBytes + 16 * elem;
        }
        // Planes sharing one step take the widest plane's.
        if (e.shape.image[i].steps == Steps::One)
            for (int k = 1; k < im.planes; ++k) p.planes[i][k].step = p.planes[i][0].step;
    }
    for (int k = 0; k < e.shape.ints; ++k)
        p.ints[k] = k < int(e.ints.size()) && !e.ints[k].values.empty() ? e.ints[k].values[0] : 0;
    for (int k = 0; k < e.shape.floats; ++k)
        p.floats[k] = k < int(e.floats.size()) && !e.floats[k].values.empty() ? e.floats[k].values[0] : 1.0f;
    p.weights[0] = 0.299f, p.weights[1] = 0.587f, p.weights[2] = 0.114f;
    for (int y = 0; y < 4; ++y) p.matrix[y][y] = 1.0f;
    p.samples.resize(997);
    uint32_t s = seed * 2654435761u + 12345;
    for (uint8_t& b : p.samples) {
        s = s * 1664525u + 1013904223u;
        b = uint8_t(s >> 24);
    }
    return p;
}

std::unique_ptr<Prepared> materialize(const Plan& p, const Prepared* sharing) {
    auto out = std::make_unique<Prepared>();
    out->plan = &p;
    const Entry& e = *p.entry;
    Call& c = out->call;
    c = paramsOf(p);
    std::copy(std::begin(p.weights), std::end(p.weights), out->weights);
    std::memcpy(out->matrix, p.matrix, sizeof p.matrix);
    c.weights = out->weights;
    c.matrix = out->matrix;
    int pointer = 0;
    auto nulled = [&] { return p.nullPointer == pointer++; };
    for (int i = 0; i < e.shape.images; ++i) {
        const Image& im = e.images[i];
        const Access access = accessOf(e, i);
        ImageArgs& a = c.image[i];
        for (int k = 0; k < im.planes; ++k) {
            const PlanePlan& pp = p.planes[i][k];
            auto& plane = out->planes[i][k];
            if (sharing && access == Access::Read) {
                plane = sharing->planes[i][k];
            } else {
                plane = std::make_shared<GuardedPlane>(pp.rowBytes, pp.rows, pp.step, pp.flushStart, pp.slack);
                if (access == Access::Read || access == Access::ReadWrite)
                    fillSource(*plane, e.shape.image[i].elem, p, uint32_t(i * 4 + k));
                else
                    fillDestination(*plane, uint32_t(i * 4 + k));
            }
            a.plane[k] = plane->origin();
            a.step[k] = pp.step;
        }
        a.planes = a.plane;
        if (e.shape.image[i].planar) {
            if (nulled()) a.planes = nullptr;
            for (int k = 0; k < im.planes; ++k)
                if (nulled()) a.plane[k] = nullptr;
        } else if (nulled()) {
            a.plane[0] = nullptr;
        }
    }
    if (e.shape.matrix && nulled()) c.matrix = nullptr;
    return out;
}

std::vector<QrxStatus> allowedStatuses(const Plan& p) {
    const Entry& e = *p.entry;
    const Rules& r = e.rules;
    const Call params = paramsOf(p);
    std::vector<QrxStatus> failures;
    if (p.nullPointer >= 0 && !nullDoesNothing(p)) failures.push_back(qrxErrNullPtr);
    const QrxRoiSize s = p.roi;
    if (r.sizeStatus) {
        if (QrxStatus st = r.sizeStatus(params); st != qrxOk) failures.push_back(st);
    } else if (s.width < r.min.width || s.height < r.min.height || s.width % r.multipleOf.width != 0 ||
               s.height % r.multipleOf.height != 0) {
        failures.push_back(qrxErrSize);
    }
    if (r.stepsChecked) {
        bool below = false;
        for (int i = 0; i < e.shape.images; ++i) {
            const Steps steps = e.shape.image[i].steps;
            const int passed = steps == Steps::PerPlane ? e.images[i].planes : steps == Steps::One ? 1 : 0;
            for (int k = 0; k < passed; ++k) below |= p.planes[i][k].step < 1;
        }
        if (below) failures.push_back(qrxErrStep);
    }
    if (r.paramStatus)
        if (QrxStatus st = r.paramStatus(params); st != qrxOk) failures.push_back(st);
    if (!failures.empty()) {
        // A null destination alone: the data status may come first.
        const int nulled = nulledImage(p);
        if (r.dataBeforeDestination && failures.size() == 1 && failures[0] == qrxErrNullPtr && nulled >= 0 &&
            accessOf(e, nulled) != Access::Read)
            failures.push_back(r.dataStatus);
        return failures;
    }
    if (convertsNothing(p)) return {qrxOk};
    const bool partial = s.width % r.blocks.width != 0 || s.height % r.blocks.height != 0;
    std::vector<QrxStatus> done{partial ? qrxWarnSizeNotMultiple : qrxOk};
    if (r.dataStatus != qrxOk) done.push_back(r.dataStatus);
    return done;
}

std::string describe(const Plan& p) {
    const Entry& e = *p.entry;
    std::ostringstream o;
    o.precision(9);
    o << e.name << " roi " << p.roi.width << "x" << p.roi.height;
    if (e.shape.rect)
        o << " source " << p.sensor.width << "x" << p.sensor.height << " at " << p.rect.x << "," << p.rect.y;
    o << " target " << qrx::targetName(static_cast<qrx::Target>(p.target)) << " threads " << p.threads;
    for (int i = 0; i < e.shape.images; ++i) {
        o << " | image " << i << ":";
        for (int k = 0; k < e.images[i].planes; ++k) {
            const PlanePlan& pp = p.planes[i][k];
            o << " " << pp.rowBytes << "B x" << pp.rows << " step " << pp.step
              << (pp.flushStart ? " at start" : " at end") << "+" << pp.slack;
        }
    }
    if (p.nullPointer >= 0) o << " | null pointer #" << p.nullPointer;
    for (int k = 0; k < e.shape.ints; ++k) o << " | int " << p.ints[k];
    for (int k = 0; k < e.shape.floats; ++k) o << " | float " << p.floats[k];
    if (e.shape.weights) o << " | weights " << p.weights[0] << " " << p.weights[1] << " " << p.weights[2];
    if (e.shape.matrix) {
        o << " | matrix";
        for (const auto& row : p.matrix)
            for (Qrx32f v : row) o << " " << v;
    }
    return o.str();
}

std::string check(const Plan& p) {
    const Entry& e = *p.entry;
    auto fail = [&](const std::string& what) { return what + "\n  in " + describe(p); };
    auto call = materialize(p);
    std::vector<std::vector<uint8_t>> before[kMaxImages];
    for (int i = 0; i < e.shape.images; ++i)
        for (int k = 0; k < e.images[i].planes; ++k) before[i].push_back(call->planes[i][k]->snapshot());

    const QrxStatus st = run(e, *call, p.target, p.threads);

    const std::vector<QrxStatus> allowed = allowedStatuses(p);
    if (std::find(allowed.begin(), allowed.end(), st) == allowed.end()) {
        std::string list;
        for (QrxStatus a : allowed) list.append(" ").append(std::to_string(a));
        return fail("returned " + std::to_string(st) + " where the arguments allow" + list);
    }
    for (int i = 0; i < e.shape.images; ++i) {
        const Access access = accessOf(e, i);
        for (int k = 0; k < e.images[i].planes; ++k) {
            GuardedPlane& g = *call->planes[i][k];
            const std::string which = "image " + std::to_string(i) + " plane " + std::to_string(k);
            if (st < 0 || st == qrxWarnNothingDone || access == Access::Read || convertsNothing(p)) {
                if (!g.unchangedSince(before[i][k]))
                    return fail((st < 0 ? "error " + std::to_string(st) + " but " : std::string()) + which +
                                " changed");
                continue;
            }
            if (!g.outsideUntouched()) return fail("wrote outside the region of " + which);
            if (e.images[i].kept >= 0 &&
                !keptChannelUnchanged(g, before[i][k], e.images[i], elemBytes(e.shape.image[i].elem)))
                return fail("changed kept channel " + std::to_string(e.images[i].kept) + " of " + which);
        }
    }
    // The same call with the scalar kernels on one thread, or on as many
    // threads as the call where the result depends on their count.
    const int referenceThreads = holds(e.rules.threadDependent, p) ? p.threads : 1;
    if (st < 0 || (p.target == 0 && p.threads == referenceThreads)) return "";
    auto reference = materialize(p);
    const QrxStatus rs = run(e, *reference, 0, referenceThreads);
    if (rs != st) return fail("returned " + std::to_string(st) + ", the scalar kernels " + std::to_string(rs));
    for (int i = 0; i < e.shape.images; ++i) {
        const Access access = accessOf(e, i);
        if (access == Access::Read || access == Access::Scratch) continue;
        for (int k = 0; k < e.images[i].planes; ++k) {
            std::string where;
            if (!sameRows(*call->planes[i][k], *reference->planes[i][k], e.shape.image[i].elem, &where))
                return fail("image " + std::to_string(i) + " plane " + std::to_string(k) +
                            " differs from the scalar kernels' on " + std::to_string(referenceThreads) +
                            (referenceThreads == 1 ? " thread at " : " threads at ") + where);
        }
    }
    return "";
}

std::vector<Plan> busyPlans(const Entry& e) {
    std::vector<Plan> out{validPlan(e, e.rules.busy, e.key)};
    for (const auto& ints : e.busyInts) {
        Plan p = out.front();
        std::copy(ints.begin(), ints.end(), p.ints);
        out.push_back(std::move(p));
    }
    return out;
}

bool holds(CallTest test, const Plan& p) { return test && test(paramsOf(p)); }

std::vector<std::vector<uint8_t>> seedInputs(const Entry& e) {
    struct Seed {
        int w, h;
        uint8_t stepMode, place, threads, target;
    };
    // Odd sizes inside the first vector group, a row over two 16-pixel groups
    // with negative padded steps, one pixel, and a region large enough for
    // the threaded and allocating paths (the row's busy size).
    const Seed seeds[] = {{7, 5, 1, 0, 0, 255},
                          {33, 4, 3, 1, 1, 2},
                          {1, 1, 0, 2, 0, 1},
                          {e.rules.busy.width, e.rules.busy.height, 1, 0, 3, 3}};
    // A colour-twist matrix that mixes the channels and reaches both ends of
    // every integer range (indexes into the interesting floats: 0.299, 0.587,
    // 0.114, 0; -1, 2, 0.5, 255; 0.5, -0, 0.9, 255.5; 0, 0, 0, 1).
    static constexpr uint8_t kSeedMatrix[16] = {5, 6, 7, 0, 3, 9, 4, 10, 4, 1, 8, 11, 0, 0, 0, 2};
    std::vector<std::vector<uint8_t>> out;
    uint32_t salt = e.key;
    // Seed k takes the parameters of busy call k (the first listed values,
    // then each further set in turn); rows with more than three further sets
    // get one more seed at the busy size for each.
    const size_t count = std::max<size_t>(std::size(seeds), e.busyInts.size() + 1);
    for (size_t k = 0; k < count; ++k) {
        const Seed& s = seeds[std::min(k, std::size(seeds) - 1)];
        const size_t busySet = k % (e.busyInts.size() + 1);
        Writer w;
        w.u32(e.key);
        w.u16(uint16_t(s.w));
        w.u16(uint16_t(s.h));
        if (e.shape.rect) {
            w.u16(uint16_t(s.w + 8));
            w.u16(uint16_t(s.h + 8));
            w.u8(1);  // inside the source
            w.u16(4);
            w.u16(4);
        }
        w.u8(s.threads);
        w.u8(s.target);
        for (int i = 0; i < e.shape.images; ++i)
            for (int k = 0; k < e.images[i].planes; ++k) {
                w.u8(s.stepMode);
                w.u8(uint8_t(5 + i + k));
                w.u8(s.place);
            }
        w.u8(0);  // no null pointer
        // The parameters of the busy call (a set's integers as raw values,
        // picked past the end of the lists), gray's own weights and the
        // matrix above.
        for (int k = 0; k < e.shape.ints; ++k) {
            const bool own = k < int(e.ints.size()) && !e.ints[k].values.empty();
            const size_t listed = own ? e.ints[k].values.size() : kInterestingInts.size();
            w.u8(busySet == 0 ? 0 : uint8_t(listed));
            w.u32(busySet == 0 ? 0 : uint32_t(e.busyInts[busySet - 1][k]));
        }
        for (int k = 0; k < e.shape.floats; ++k) {
            w.u8(0);
            w.u32(0);
        }
        if (e.shape.weights)
            for (uint8_t pick : {5, 6, 7}) {
                w.u8(pick);
                w.u32(0);
            }
        for (int k = 0; k < (e.shape.matrix ? 16 : 0); ++k) {
            w.u8(kSeedMatrix[k]);
            w.u32(0);
        }
        w.u8(0);
        for (int k = 0; k < 64; ++k) {
            salt = salt * 1664525u + 1013904223u;
            w.u8(uint8_t(salt >> 24));
        }
        out.push_back(std::move(w.out));
    }
    return out;
}

}  // namespace qrxfuzz
