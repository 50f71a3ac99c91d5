// Our operations in the benchmark: each family's file under bench/ mirrors its
// folder under src/ and lists its operations in a static Family object.
//
//   const Family kGray{"Colour to gray", {
//       {OP(qrxiRGBToGray_8u_C3C1R), &kRGB, &kGray8, "libyuv/RGB24ToJ400 opencv/RGB2GRAY"},
//   }};
//
// Every operation is timed as "<op>/<size>" with the automatic choice of
// kernels, and as "<op>/<target>/1920x1080" under each target this
// processor runs (scalar, sse2, avx2, avx512), selected through the internal
// library. The peers named in a row (space separated) are the libyuv, OpenCV
// or other subjects that do the same work; the report puts them side by side.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "frames.h"
#include "invoke.h"

namespace qrxbench {

struct Operation {
  const char* name;
  Runner run;
  const Layout* src;
  const Layout* dst;
  const char* peers = "";
};

// The name as a string and a runner that calls the function with arguments
// derived from its prototype (invoke.h). For parameters invoke.h cannot
// derive, write the runner by hand: {"qrxiFoo_8u_C3R", [](const Args& a) {...}, ...}.
#define OP(fn) #fn, ::qrxbench::runnerFor(&fn)

// `peers`, when given, registers the family's own peer cases (registerPeer,
// with the runners of peers/peers.h) after all operations are registered.
struct Family {
  Family(const char* title, std::initializer_list<Operation> ops, void (*peers)() = nullptr);
};

// Registers every family's operations (called once by main()).
void registerOperations();

// The distinct source layouts of the registered operations (for memcpy peers).
std::vector<const Layout*> operationSources();

}  // namespace qrxbench
