#include "frames.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <utility>

namespace qrxbench {

const Layout kRGB{"C3_8u", 1, 3, Elem::U8};
const Layout kRGBA{"C4_8u", 1, 4, Elem::U8};
const Layout kC2{"C2_8u", 1, 2, Elem::U8};
const Layout kW16{"C1_16u_packed", 1, 1, Elem::U16};
const Layout kGray8{"C1_8u", 1, 1, Elem::U8};
const Layout kP444{"P3_444", 3, 1, Elem::U8};
const Layout kP4{"P4_444", 4, 1, Elem::U8};
const Layout kP422{"P3_422", 3, 1, Elem::U8, 2, 1};
const Layout kP420{"P3_420", 3, 1, Elem::U8, 2, 2};
const Layout kP411{"P3_411", 3, 1, Elem::U8, 4, 1};
const Layout kI420Contiguous{"I420_contiguous", 3, 1, Elem::U8, 2, 2, true};
const Layout k16uC3{"C3_16u", 1, 3, Elem::U16};
const Layout k16uC4{"C4_16u", 1, 4, Elem::U16};
const Layout k16uC1{"C1_16u", 1, 1, Elem::U16};
const Layout k16sC3{"C3_16s", 1, 3, Elem::S16};
const Layout k16sC4{"C4_16s", 1, 4, Elem::S16};
const Layout k16sC1{"C1_16s", 1, 1, Elem::S16};
const Layout k32fC3{"C3_32f", 1, 3, Elem::F32};
const Layout k32fC4{"C4_32f", 1, 4, Elem::F32};
const Layout k32fC1{"C1_32f", 1, 1, Elem::F32};

int Layout::elemBytes() const {
  switch (elem) {
    case Elem::U8: return 1;
    case Elem::U16:
    case Elem::S16: return 2;
    case Elem::F32: return 4;
  }
  return 1;
}

int Layout::planeWidth(int p, int width) const {
  return (p == 1 || p == 2) ? (width + cxDiv - 1) / cxDiv : width;
}

int Layout::planeHeight(int p, int height) const {
  return (p == 1 || p == 2) ? (height + cyDiv - 1) / cyDiv : height;
}

std::size_t Layout::regionBytes(int width, int height) const {
  std::size_t total = 0;
  for (int p = 0; p < planes; ++p)
    total += std::size_t(planeWidth(p, width)) * channels * elemBytes() *
             std::size_t(planeHeight(p, height));
  return total;
}

namespace {

void* alignedBlock(std::size_t bytes) {
  std::size_t rounded = (bytes + 63) / 64 * 64 + 64;  // slack for vector tails
  void* p = std::aligned_alloc(64, rounded);
  if (!p) std::abort();
  return p;
}

void fillRandom(void* data, std::size_t bytes, Elem elem, std::uint64_t state) {
  auto next = [&state] {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
  };
  if (elem == Elem::F32) {
    auto* f = static_cast<float*>(data);
    for (std::size_t i = 0; i < bytes / 4; ++i)
      f[i] = float(next() >> 40 & 0xFFFF) * (255.0f / 65535.0f);
    return;
  }
  auto* b = static_cast<unsigned char*>(data);
  std::size_t i = 0;
  for (; i + 8 <= bytes; i += 8) {
    std::uint64_t v = next();
    std::memcpy(b + i, &v, 8);
  }
  for (; i < bytes; ++i) b[i] = static_cast<unsigned char>(next());
}

}  // namespace

Image::Image(const Layout& l, int width, int height, std::uint32_t seed) : layout(l) {
  const int eb = l.elemBytes();
  std::size_t offsets[4] = {};
  std::size_t total = 0;
  for (int p = 0; p < l.planes; ++p) {
    step[p] = l.planeWidth(p, width) * l.channels * eb;
    std::size_t bytes = std::size_t(step[p]) * l.planeHeight(p, height);
    if (l.contiguous) {
      offsets[p] = total;
      total += bytes;
    } else {
      blocks.push_back(alignedBlock(bytes));
      plane[p] = static_cast<Qrx8u*>(blocks.back());
      fillRandom(plane[p], bytes, l.elem, 0x9E3779B97F4A7C15ull * (seed + 1) + p);
    }
  }
  if (l.contiguous) {
    blocks.push_back(alignedBlock(total));
    fillRandom(blocks.back(), total, l.elem, 0x9E3779B97F4A7C15ull * (seed + 1));
    for (int p = 0; p < l.planes; ++p) plane[p] = static_cast<Qrx8u*>(blocks.back()) + offsets[p];
  }
}

Image::~Image() {
  for (void* b : blocks) std::free(b);
}

namespace {

// Images live for the whole run; sources are only read, so cases with the
// same layouts share them (a contiguous image depends on the region size).
Image& cachedImage(const Layout& layout, bool isSource, QrxRoiSize roi) {
  static std::map<std::string, std::unique_ptr<Image>> cache;
  QrxRoiSize size = layout.contiguous ? roi : kFrame;
  std::string key = std::string(layout.name) + (isSource ? "/src/" : "/dst/") +
                    std::to_string(size.width) + "x" + std::to_string(size.height);
  auto& slot = cache[key];
  if (!slot) slot = std::make_unique<Image>(layout, size.width, size.height, std::uint32_t(cache.size()));
  return *slot;
}

std::string sizeName(QrxRoiSize r) {
  return std::to_string(r.width) + "x" + std::to_string(r.height);
}

}  // namespace

namespace {
double gTargetMinTime = 0;
}  // namespace

void setTargetMinTime(double seconds) { gTargetMinTime = seconds; }
double targetMinTime() { return gTargetMinTime; }

void registerCase(const std::string& subject, const Layout& src, const Layout& dst, Runner run,
                  std::initializer_list<QrxRoiSize> sizes, double minTime) {
  for (QrxRoiSize roi : sizes) {
    std::string name = subject + "/" + sizeName(roi);
    auto* b = benchmark::RegisterBenchmark(name.c_str(), [&src, &dst, run, roi](benchmark::State& state) {
      Args args{&cachedImage(src, true, roi), &cachedImage(dst, false, roi), roi};
      int status = run(args);
      if (status < 0) state.SkipWithError(("status " + std::to_string(status)).c_str());
      for (auto _ : state) {
        run(args);
        benchmark::ClobberMemory();
      }
      state.counters["pixels"] = benchmark::Counter(double(roi.width) * roi.height,
                                                    benchmark::Counter::kIsIterationInvariantRate);
      state.SetBytesProcessed(std::int64_t(state.iterations()) *
                              std::int64_t(src.regionBytes(roi.width, roi.height)));
    });
    if (minTime > 0) b->MinTime(minTime);
  }
}

void registerPeer(const std::string& name, const Layout& src, const Layout& dst, Runner run,
                  const std::string& what) {
  describe("peer:" + name, what + " (" + src.name + " to " + dst.name + ")");
  registerCase(name, src, dst, std::move(run));
}

void describe(const std::string& key, const std::string& value) {
  benchmark::AddCustomContext(key, value);
}

std::string memcpyPeerFor(const Layout& src) {
  std::size_t halfBytes = src.regionBytes(kFrame.width, kFrame.height) * 2 /
                          (std::size_t(kFrame.width) * kFrame.height);
  std::string n = std::to_string(halfBytes / 2);
  if (halfBytes % 2) n += ".5";
  return "memcpy/" + n + "Bpp";
}

}  // namespace qrxbench
