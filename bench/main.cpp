// qrx_bench: throughput of the luma-chroma and gray conversions next to
// libyuv, OpenCV and memcpy. Run through tools/bench.sh, which turns the JSON
// output into docs/performance.md.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "frames.h"
#include "operations.h"

int main(int argc, char** argv) {
  // --qrx_target_min_time=<seconds>: repetition length of the per-target
  // cases (the other cases follow --benchmark_min_time).
  const std::string flag = "--qrx_target_min_time=";
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind(flag, 0) == 0)
      qrxbench::setTargetMinTime(std::atof(arg.c_str() + flag.size()));
    else
      argv[kept++] = argv[i];
  }
  argc = kept;
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
