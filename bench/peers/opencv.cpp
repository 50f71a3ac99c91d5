// OpenCV cvtColor conversions doing the same work as ours (single-threaded:
// main() sets one OpenCV thread). OpenCV's planar 4:2:0 forms use one
// contiguous buffer (Y, then the two chroma planes), sized to the region.
#include "peers/peers.h"

#ifdef QRX_BENCH_HAVE_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

namespace qrxbench {

#ifdef QRX_BENCH_HAVE_OPENCV
namespace {

int depthOf(Elem e) {
  switch (e) {
    case Elem::U8: return CV_8U;
    case Elem::U16: return CV_16U;
    case Elem::S16: return CV_16S;
    case Elem::F32: return CV_32F;
  }
  return CV_8U;
}

cv::Mat header(const Image& im, QrxRoiSize roi) {
  const Layout& l = im.layout;
  if (l.contiguous)  // Y rows followed by the chroma rows, all roi.width wide
    return cv::Mat(roi.height * 3 / 2, roi.width, CV_8UC1, im.plane[0]);
  return cv::Mat(roi.height, roi.width, CV_MAKETYPE(depthOf(l.elem), l.channels), im.plane[0],
                 std::size_t(im.step[0]));
}

}  // namespace

Runner opencvCvtColor(int code, int dstChannels) {
  return [code, dstChannels](const Args& a) {
    cv::Mat s = header(*a.src, a.roi);
    cv::Mat d = header(*a.dst, a.roi);
    void* before = d.data;
    try {
      cv::cvtColor(s, d, code, dstChannels);
    } catch (const cv::Exception&) {
      return -1;
    }
    return d.data == before ? 0 : -2;  // -2: OpenCV reallocated, wrong layout
  };
}

cv::Mat opencvHeader(const Image& im, QrxRoiSize roi) { return header(im, roi); }

namespace {

struct Peer {
  const char* name;
  const Layout* src;
  const Layout* dst;
  int code;
  int dstChannels;
  const char* what;
};

}  // namespace

void registerOpenCvPeers() {
  cv::setNumThreads(1);
  const Layout* i420 = &kI420Contiguous;
  const Peer peers[] = {
      {"RGB2YUV", &kRGB, &kRGB, cv::COLOR_RGB2YUV, 0, "COLOR_RGB2YUV"},
      {"RGBA2YUV", &kRGBA, &kRGB, cv::COLOR_RGB2YUV, 0, "COLOR_RGB2YUV on 4-channel input"},
      {"YUV2RGB", &kRGB, &kRGB, cv::COLOR_YUV2RGB, 0, "COLOR_YUV2RGB"},
      {"YUV2RGBA", &kRGB, &kRGBA, cv::COLOR_YUV2RGB, 4, "COLOR_YUV2RGB to 4 channels"},
      {"RGB2YCrCb", &kRGB, &kRGB, cv::COLOR_RGB2YCrCb, 0, "COLOR_RGB2YCrCb"},
      {"RGBA2YCrCb", &kRGBA, &kRGB, cv::COLOR_RGB2YCrCb, 0, "COLOR_RGB2YCrCb on 4-channel input"},
      {"YCrCb2RGB", &kRGB, &kRGB, cv::COLOR_YCrCb2RGB, 0, "COLOR_YCrCb2RGB"},
      {"YCrCb2RGBA", &kRGB, &kRGBA, cv::COLOR_YCrCb2RGB, 4, "COLOR_YCrCb2RGB to 4 channels"},
      {"YCrCb2BGR", &kRGB, &kRGB, cv::COLOR_YCrCb2BGR, 0, "COLOR_YCrCb2BGR"},
      {"YCrCb2BGRA", &kRGB, &kRGBA, cv::COLOR_YCrCb2BGR, 4, "COLOR_YCrCb2BGR to 4 channels"},
      {"RGB2YUV_I420", &kRGB, i420, cv::COLOR_RGB2YUV_I420, 0, "COLOR_RGB2YUV_I420"},
      {"BGR2YUV_I420", &kRGB, i420, cv::COLOR_BGR2YUV_I420, 0, "COLOR_BGR2YUV_I420"},
      {"BGRA2YUV_I420", &kRGBA, i420, cv::COLOR_BGRA2YUV_I420, 0, "COLOR_BGRA2YUV_I420"},
      {"RGBA2YUV_YV12", &kRGBA, i420, cv::COLOR_RGBA2YUV_YV12, 0, "COLOR_RGBA2YUV_YV12"},
      {"BGR2YUV_YV12", &kRGB, i420, cv::COLOR_BGR2YUV_YV12, 0, "COLOR_BGR2YUV_YV12"},
      {"BGRA2YUV_YV12", &kRGBA, i420, cv::COLOR_BGRA2YUV_YV12, 0, "COLOR_BGRA2YUV_YV12"},
      {"YUV2RGB_I420", i420, &kRGB, cv::COLOR_YUV2RGB_I420, 0, "COLOR_YUV2RGB_I420"},
      {"YUV2BGR_I420", i420, &kRGB, cv::COLOR_YUV2BGR_I420, 0, "COLOR_YUV2BGR_I420"},
      {"YUV2RGBA_I420", i420, &kRGBA, cv::COLOR_YUV2RGBA_I420, 0, "COLOR_YUV2RGBA_I420"},
      {"YUV2BGRA_I420", i420, &kRGBA, cv::COLOR_YUV2BGRA_I420, 0, "COLOR_YUV2BGRA_I420"},
      {"YUV2RGBA_YV12", i420, &kRGBA, cv::COLOR_YUV2RGBA_YV12, 0, "COLOR_YUV2RGBA_YV12"},
      {"YUV2RGB_YUY2", &kC2, &kRGB, cv::COLOR_YUV2RGB_YUY2, 0, "COLOR_YUV2RGB_YUY2"},
      {"YUV2RGB_YVYU", &kC2, &kRGB, cv::COLOR_YUV2RGB_YVYU, 0, "COLOR_YUV2RGB_YVYU"},
      {"YUV2BGR_YUY2", &kC2, &kRGB, cv::COLOR_YUV2BGR_YUY2, 0, "COLOR_YUV2BGR_YUY2"},
      {"YUV2BGRA_YUY2", &kC2, &kRGBA, cv::COLOR_YUV2BGRA_YUY2, 0, "COLOR_YUV2BGRA_YUY2"},
      {"RGB2GRAY", &kRGB, &kGray8, cv::COLOR_RGB2GRAY, 0, "COLOR_RGB2GRAY"},
      {"RGBA2GRAY", &kRGBA, &kGray8, cv::COLOR_RGBA2GRAY, 0, "COLOR_RGBA2GRAY"},
      {"RGB2GRAY_16U", &k16uC3, &k16uC1, cv::COLOR_RGB2GRAY, 0, "COLOR_RGB2GRAY on CV_16U"},
      {"RGBA2GRAY_16U", &k16uC4, &k16uC1, cv::COLOR_RGBA2GRAY, 0, "COLOR_RGBA2GRAY on CV_16U"},
      {"RGB2GRAY_32F", &k32fC3, &k32fC1, cv::COLOR_RGB2GRAY, 0, "COLOR_RGB2GRAY on CV_32F"},
      {"RGBA2GRAY_32F", &k32fC4, &k32fC1, cv::COLOR_RGBA2GRAY, 0, "COLOR_RGBA2GRAY on CV_32F"},
  };
  describe("opencv.version", CV_VERSION);
  for (const Peer& p : peers)
    registerPeer(std::string("opencv/") + p.name, *p.src, *p.dst, opencvCvtColor(p.code, p.dstChannels),
                 std::string("OpenCV cvtColor ") + p.what);
}
#else
void registerOpenCvPeers() {}
#endif

}  // namespace qrxbench
