// Peer runners that family benchmark files use for their own peer cases
// (registered with registerPeer, named "opencv/<what>", "libyuv/<what>", ...).
#pragma once

#include "frames.h"

#ifdef QRX_BENCH_HAVE_OPENCV
#include <opencv2/core.hpp>

namespace qrxbench {

// cv::cvtColor(src, dst, code, dstChannels) on the images of a case.
Runner opencvCvtColor(int code, int dstChannels = 0);

// A cv::Mat over an image of a case (no copy): the region's rows, with the
// layout's element type and channel count.
cv::Mat opencvHeader(const Image& image, QrxRoiSize roi);

}  // namespace qrxbench
#endif
