// qrx_bench: throughput of the luma-chroma and gray conversions next to
// libyuv, OpenCV and memcpy. Run through tools/bench.sh, which turns the JSON
// output into docs/performance.md.
#include <benchmark/benchmark.h>

#include "frames.h"
#include "operations.h"

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  qrxbench::registerOperations();
  qrxbench::registerLibyuvPeers();
  qrxbench::registerOpenCvPeers();
  qrxbench::registerMemcpyPeers();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
