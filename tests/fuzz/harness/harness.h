// From fuzz input to one checked call.
//
// An input names an entry (by key), then gives the region, the library's
// thread count and target, each plane's step and placement, a pointer to
// null, the parameters and the samples:
//
//   u32 key | i16 width | i16 height | [i16 source w, h | u8 origin inside? | i16 x, y]
//   u8 threads | u8 target | per plane: u8 step mode, u8 step arg, u8 placement
//   u8 null | per int param: u8 pick, i32 | per float param, weight, matrix
//   element: u8 pick, f32 | u8 sample fill | samples...
//
// Missing bytes read as zero, so every input decodes to some call.
// A Plan is the decoded call; materialize() lays it out in guarded planes and
// check() runs it and verifies what every entry promises:
//   - no crash and no sanitizer report (the planes end at inaccessible pages);
//   - the status is one the arguments allow (a failure present in them, or
//     success / +35 as the region's size says);
//   - on an error nothing was written anywhere;
//   - sources are unchanged, nothing outside the destination rows changed,
//     and kept alpha bytes keep their values;
//   - the result equals the scalar kernels' on one thread.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "harness/planes.h"
#include "harness/table.h"

namespace qrxfuzz {

struct PlanePlan {
    int rowBytes = 0, rows = 0, step = 0;
    bool flushStart = false;
    int slack = 0;
};

struct Plan {
    const Entry* entry = nullptr;
    QrxRoiSize roi{};
    QrxRoiSize sensor{};
    QrxRect rect{};
    std::array<std::array<PlanePlan, 4>, kMaxImages> planes{};
    int nullPointer = -1;  // index among pointerCount(entry) pointers, or -1
    int ints[kMaxParams]{};
    Qrx32f floats[kMaxParams]{};
    Qrx32f weights[3]{};
    Qrx32f matrix[4][4]{};
    int threads = 1;
    int target = 0;     // qrx::Target value
    int sampleFill = 0; // how float samples are made from the input bytes
    std::vector<uint8_t> samples;
};

// The pointers a null may replace: each image's pointer (or its plane array
// and then each plane), then the colour-twist matrix.
int pointerCount(const Entry& e);

// Entries the fuzzer picks from: all, or those whose family path or name
// contains `filter`.
std::vector<const Entry*> selectable(const std::string& filter);

Plan decode(const uint8_t* data, size_t size, const std::vector<const Entry*>& from);

// A valid call of `e` on a region of `roi` with padded steps and samples from
// `seed`: the first listed value of every parameter.
Plan validPlan(const Entry& e, QrxRoiSize roi, uint32_t seed);

// Planes and arguments of a plan. Copies made with `sharing` use the same
// read-only planes (sources) and planes of their own for everything written.
struct Prepared {
    const Plan* plan = nullptr;
    Call call{};
    std::array<std::array<std::shared_ptr<GuardedPlane>, 4>, kMaxImages> planes{};
    Qrx32f weights[3]{};
    Qrx32f matrix[4][4]{};
};
std::unique_ptr<Prepared> materialize(const Plan& p, const Prepared* sharing = nullptr);

// The statuses the arguments allow.
std::vector<QrxStatus> allowedStatuses(const Plan& p);

// Runs the plan under its own target and thread count; returns what went
// wrong, or an empty string.
std::string check(const Plan& p);

// The busy calls of an entry (its busy size, padded steps): the first
// listed value of every parameter, then each further set of `busyInts`.
std::vector<Plan> busyPlans(const Entry& e);

// Whether a rule of the plan's entry holds for its parameters and size.
bool holds(CallTest test, const Plan& p);

// A description of a plan for failure messages.
std::string describe(const Plan& p);

// A few inputs per entry that reach its main paths: the checked-in seeds.
std::vector<std::vector<uint8_t>> seedInputs(const Entry& e);

}  // namespace qrxfuzz
