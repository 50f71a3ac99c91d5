// Image buffers and case registration shared by every benchmark of qrx_bench.
//
// Benchmark names are "<subject>/<width>x<height>":
//   qrxiFoo_8u_C3R/1920x1080          one of our operations
//   qrxiFoo_8u_C3R/avx2/1920x1080     the same with one target's kernels selected
//                                     (scalar, sse2, avx2, avx512; see operations.h)
//   libyuv/RGB24ToI420/64x64, opencv/RGB2YUV_I420/..., memcpy/3Bpp/...  peers
// Every benchmark reports the counter "pixels" as a rate (pixels per second
// of the region), so operations with different layouts compare directly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "qrxcc.h"

namespace qrxbench {

enum class Elem { U8, U16, S16, F32 };

// How an image is stored. Interleaved images have one plane of `channels`
// elements per pixel; planar ones have `planes` planes of one element per
// sample, planes 1 and 2 subsampled by cxDiv x cyDiv (plane 3, when present,
// is full resolution). `contiguous` lays the planes one after the other with
// dense rows sized to the region (the single-buffer I420/YV12 of OpenCV).
struct Layout {
  const char* name;
  int planes;
  int channels;
  Elem elem;
  int cxDiv = 1;
  int cyDiv = 1;
  bool contiguous = false;

  int elemBytes() const;
  int planeWidth(int plane, int width) const;   // samples per row
  int planeHeight(int plane, int height) const;
  // Bytes of a width x height region of this layout, all planes.
  std::size_t regionBytes(int width, int height) const;
};

extern const Layout kRGB, kRGBA, kC2, kW16, kGray8;
extern const Layout kP444, kP4, kP422, kP420, kP411, kI420Contiguous;
extern const Layout k16uC3, k16uC4, k16uC1, k16sC3, k16sC4, k16sC1;
extern const Layout k32fC3, k32fC4, k32fC1;

// A 64-byte aligned image of `layout`, sized width x height, filled with
// reproducible random samples (floats in 0..255).
struct Image {
  Image(const Layout& layout, int width, int height, std::uint32_t seed);
  ~Image();
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  const Layout& layout;
  Qrx8u* plane[4] = {};
  int step[4] = {};
  std::vector<void*> blocks;
};

// What a benchmark case gets: source and destination images and the region.
struct Args {
  Image* src;
  Image* dst;
  QrxRoiSize roi;
};

// Runs one conversion of the region; a negative result is reported as an error.
using Runner = std::function<int(const Args&)>;

constexpr QrxRoiSize kFrame{1920, 1080};
constexpr QrxRoiSize kSmall{64, 64};

// Registers "<subject>/<size>" for each size (by default the full frame and
// the 64x64 region). Images are shared between cases through a cache keyed
// by layout and role. `minTime` (seconds per repetition), when above 0,
// overrides --benchmark_min_time for these cases.
void registerCase(const std::string& subject, const Layout& src, const Layout& dst,
                  Runner run, std::initializer_list<QrxRoiSize> sizes = {kFrame, kSmall},
                  double minTime = 0);

// Seconds per repetition of the per-target cases ("<op>/<target>/<size>"),
// set by main() from --qrx_target_min_time (0: --benchmark_min_time).
void setTargetMinTime(double seconds);
double targetMinTime();

// Registers a peer case and records what it does under "peer:<name>".
void registerPeer(const std::string& name, const Layout& src, const Layout& dst, Runner run,
                  const std::string& what);

// Records a line of metadata in the JSON context ("op:<name>", "peer:<name>").
void describe(const std::string& key, const std::string& value);

// Name of the memcpy benchmark moving as many bytes as one `src` region.
std::string memcpyPeerFor(const Layout& src);

void registerLibyuvPeers();  // peers/libyuv.cpp
void registerOpenCvPeers();  // peers/opencv.cpp
void registerMemcpyPeers();  // peers/memcpy.cpp

}  // namespace qrxbench
