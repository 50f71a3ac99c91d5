// Our luma-chroma and gray operations, one row each: the layouts the case
// allocates, the family it is reported under and the peers that do the same
// work (same layouts and subsampling; the matrices may differ). Operations
// the loaded library does not export are skipped, so the program always runs.
#include <dlfcn.h>

#include <string>
#include <utility>

#include "frames.h"
#include "invoke.h"

namespace qrxbench {
namespace {

struct OpRow {
  const char* name;
  Runner (*runner)(void* symbol);
  const Layout* src;
  const Layout* dst;
  const char* family;
  const char* peers;  // space-separated peer subjects
};

// The name as a string and the prototype, for looking the symbol up by name
// without referencing it at link time.
#define OP(fn) #fn, &runnerFor<decltype(&fn)>

const char* const kYuv444 = "YUV 4:4:4";
const char* const kYuv422 = "YUV 4:2:2";
const char* const kYuv420 = "YUV 4:2:0";
const char* const kYcc444 = "YCbCr 4:4:4";
const char* const kEnc422 = "YCbCr 4:2:2 encoders";
const char* const kEnc420 = "YCbCr 4:2:0 encoders";
const char* const kEnc411 = "YCbCr 4:1:1 encoders";
const char* const kDec422 = "YCbCr 4:2:2 decoders";
const char* const kDec420 = "YCbCr 4:2:0 decoders";
const char* const kDec411 = "YCbCr 4:1:1 decoders";
const char* const kGray = "Colour to gray";

const OpRow kOps[] = {
    // RGB <-> YUV, full chroma
    {OP(qrxiRGBToYUV_8u_C3R), &kRGB, &kRGB, kYuv444, "opencv/RGB2YUV"},
    {OP(qrxiRGBToYUV_8u_AC4R), &kRGBA, &kRGBA, kYuv444, "opencv/RGBA2YUV"},
    {OP(qrxiRGBToYUV_8u_C3P3R), &kRGB, &kP444, kYuv444, "opencv/RGB2YUV"},
    {OP(qrxiRGBToYUV_8u_P3R), &kP444, &kP444, kYuv444, "opencv/RGB2YUV"},
    {OP(qrxiRGBToYUV_8u_AC4P4R), &kRGBA, &kP4, kYuv444, "libyuv/ARGBToI444 opencv/RGBA2YUV"},
    {OP(qrxiYUVToRGB_8u_C3R), &kRGB, &kRGB, kYuv444, "opencv/YUV2RGB"},
    {OP(qrxiYUVToRGB_8u_AC4R), &kRGBA, &kRGBA, kYuv444, "opencv/YUV2RGBA"},
    {OP(qrxiYUVToRGB_8u_P3C3R), &kP444, &kRGB, kYuv444, "libyuv/I444ToRGB24 opencv/YUV2RGB"},
    {OP(qrxiYUVToRGB_8u_P3R), &kP444, &kP444, kYuv444, "opencv/YUV2RGB"},
    // RGB <-> YUV 4:2:2
    {OP(qrxiRGBToYUV422_8u_C3C2R), &kRGB, &kC2, kYuv422, "libyuv/ARGBToYUY2"},
    {OP(qrxiRGBToYUV422_8u_C3P3R), &kRGB, &kP422, kYuv422, "libyuv/ARGBToI422"},
    {OP(qrxiRGBToYUV422_8u_P3R), &kP444, &kP422, kYuv422, "libyuv/ARGBToI422"},
    {OP(qrxiRGBToYUV422_8u_C3P3), &kRGB, &kP422, kYuv422, "libyuv/ARGBToI422"},
    {OP(qrxiRGBToYUV422_8u_P3), &kP444, &kP422, kYuv422, "libyuv/ARGBToI422"},
    {OP(qrxiYUV422ToRGB_8u_C2C3R), &kC2, &kRGB, kYuv422, "opencv/YUV2RGB_YUY2 libyuv/YUY2ToARGB"},
    {OP(qrxiYUV422ToRGB_8u_P3C3R), &kP422, &kRGB, kYuv422, "libyuv/I422ToRGB24"},
    {OP(qrxiYUV422ToRGB_8u_P3AC4R), &kP422, &kRGBA, kYuv422, "libyuv/I422ToABGR"},
    {OP(qrxiYUV422ToRGB_8u_P3R), &kP422, &kP444, kYuv422, "libyuv/I422ToRGB24"},
    {OP(qrxiYUV422ToRGB_8u_P3C3), &kP422, &kRGB, kYuv422, "libyuv/I422ToRGB24"},
    {OP(qrxiYUV422ToRGB_8u_P3), &kP422, &kP444, kYuv422, "libyuv/I422ToRGB24"},
    // RGB <-> YUV 4:2:0
    {OP(qrxiRGBToYUV420_8u_C3P3R), &kRGB, &kP420, kYuv420, "libyuv/RGB24ToI420 opencv/RGB2YUV_I420"},
    {OP(qrxiRGBToYUV420_8u_P3R), &kP444, &kP420, kYuv420, "libyuv/RGB24ToI420"},
    {OP(qrxiRGBToYUV420_8u_C3P3), &kRGB, &kP420, kYuv420, "libyuv/RGB24ToI420 opencv/RGB2YUV_I420"},
    {OP(qrxiRGBToYUV420_8u_P3), &kP444, &kP420, kYuv420, "libyuv/RGB24ToI420"},
    {OP(qrxiBGRToYUV420_8u_AC4P3R), &kRGBA, &kP420, kYuv420, "libyuv/ARGBToI420 opencv/BGRA2YUV_I420"},
    {OP(qrxiRGB565ToYUV420_16u8u_C3P3R), &kW16, &kP420, kYuv420, "libyuv/RGB565ToI420"},
    {OP(qrxiBGR565ToYUV420_16u8u_C3P3R), &kW16, &kP420, kYuv420, "libyuv/RGB565ToI420"},
    {OP(qrxiBGR555ToYUV420_16u8u_C3P3R), &kW16, &kP420, kYuv420, "libyuv/ARGB1555ToI420"},
    {OP(qrxiRGB565ToYUV422_16u8u_C3P3R), &kW16, &kP422, kYuv422, ""},
    {OP(qrxiYUV420ToRGB_8u_P3C3R), &kP420, &kRGB, kYuv420, "libyuv/I420ToRGB24 opencv/YUV2RGB_I420"},
    {OP(qrxiYUV420ToRGB_8u_P3AC4R), &kP420, &kRGBA, kYuv420, "libyuv/I420ToABGR opencv/YUV2RGBA_I420"},
    {OP(qrxiYUV420ToRGB_8u_P3R), &kP420, &kP444, kYuv420, "libyuv/I420ToRGB24"},
    {OP(qrxiYUV420ToRGB_8u_P3C3), &kP420, &kRGB, kYuv420, "libyuv/I420ToRGB24 opencv/YUV2RGB_I420"},
    {OP(qrxiYUV420ToRGB_8u_P3), &kP420, &kP444, kYuv420, "libyuv/I420ToRGB24"},
    {OP(qrxiYUV420ToBGR_8u_P3C3R), &kP420, &kRGB, kYuv420, "libyuv/I420ToRGB24 opencv/YUV2BGR_I420"},
    // RGB <-> YCbCr, full chroma
    {OP(qrxiRGBToYCbCr_8u_C3R), &kRGB, &kRGB, kYcc444, "opencv/RGB2YCrCb"},
    {OP(qrxiRGBToYCbCr_8u_AC4R), &kRGBA, &kRGBA, kYcc444, "opencv/RGBA2YCrCb"},
    {OP(qrxiRGBToYCbCr_8u_C3P3R), &kRGB, &kP444, kYcc444, "opencv/RGB2YCrCb"},
    {OP(qrxiRGBToYCbCr_8u_AC4P3R), &kRGBA, &kP444, kYcc444, "libyuv/ARGBToI444 opencv/RGBA2YCrCb"},
    {OP(qrxiRGBToYCbCr_8u_P3R), &kP444, &kP444, kYcc444, "opencv/RGB2YCrCb"},
    {OP(qrxiYCbCrToRGB_8u_C3R), &kRGB, &kRGB, kYcc444, "opencv/YCrCb2RGB"},
    {OP(qrxiYCbCrToRGB_8u_AC4R), &kRGBA, &kRGBA, kYcc444, "opencv/YCrCb2RGBA"},
    {OP(qrxiYCbCrToRGB_8u_P3C3R), &kP444, &kRGB, kYcc444, "libyuv/I444ToRGB24 opencv/YCrCb2RGB"},
    {OP(qrxiYCbCrToRGB_8u_P3C4R), &kP444, &kRGBA, kYcc444, "libyuv/I444ToABGR opencv/YCrCb2RGBA"},
    {OP(qrxiYCbCrToRGB_8u_P3R), &kP444, &kP444, kYcc444, "opencv/YCrCb2RGB"},
    {OP(qrxiYCbCrToBGR_8u_P3C3R), &kP444, &kRGB, kYcc444, "libyuv/I444ToRGB24 opencv/YCrCb2BGR"},
    {OP(qrxiYCbCrToBGR_8u_P3C4R), &kP444, &kRGBA, kYcc444, "libyuv/I444ToARGB opencv/YCrCb2BGRA"},
    // subsampled YCbCr encoders
    {OP(qrxiRGBToYCbCr422_8u_C3C2R), &kRGB, &kC2, kEnc422, "libyuv/ARGBToYUY2"},
    {OP(qrxiRGBToYCbCr422_8u_P3C2R), &kP444, &kC2, kEnc422, "libyuv/ARGBToYUY2"},
    {OP(qrxiRGBToYCrCb422_8u_C3C2R), &kRGB, &kC2, kEnc422, "libyuv/ARGBToYUY2"},
    {OP(qrxiRGBToYCrCb422_8u_P3C2R), &kP444, &kC2, kEnc422, "libyuv/ARGBToYUY2"},
    {OP(qrxiRGBToYCbCr422_8u_C3P3R), &kRGB, &kP422, kEnc422, "libyuv/ARGBToI422"},
    {OP(qrxiBGRToYCbCr422_8u_C3C2R), &kRGB, &kC2, kEnc422, "libyuv/ARGBToYUY2"},
    {OP(qrxiBGRToYCbCr422_8u_AC4C2R), &kRGBA, &kC2, kEnc422, "libyuv/ARGBToYUY2"},
    {OP(qrxiBGRToYCbCr422_8u_C3P3R), &kRGB, &kP422, kEnc422, "libyuv/ARGBToI422"},
    {OP(qrxiBGRToYCbCr422_8u_AC4P3R), &kRGBA, &kP422, kEnc422, "libyuv/ARGBToI422"},
    {OP(qrxiBGR555ToYCbCr422_16u8u_C3C2R), &kW16, &kC2, kEnc422, ""},
    {OP(qrxiBGR565ToYCbCr422_16u8u_C3C2R), &kW16, &kC2, kEnc422, ""},
    {OP(qrxiBGR555ToYCbCr422_16u8u_C3P3R), &kW16, &kP422, kEnc422, ""},
    {OP(qrxiBGR565ToYCbCr422_16u8u_C3P3R), &kW16, &kP422, kEnc422, ""},
    {OP(qrxiRGBToYCbCr420_8u_C3P3R), &kRGB, &kP420, kEnc420, "libyuv/RGB24ToI420 opencv/RGB2YUV_I420"},
    {OP(qrxiRGBToYCrCb420_8u_AC4P3R), &kRGBA, &kP420, kEnc420, "libyuv/ABGRToI420 opencv/RGBA2YUV_YV12"},
    {OP(qrxiBGRToYCbCr420_8u_C3P3R), &kRGB, &kP420, kEnc420, "libyuv/RGB24ToI420 opencv/BGR2YUV_I420"},
    {OP(qrxiBGRToYCbCr420_8u_AC4P3R), &kRGBA, &kP420, kEnc420, "libyuv/ARGBToI420 opencv/BGRA2YUV_I420"},
    {OP(qrxiBGRToYCrCb420_8u_C3P3R), &kRGB, &kP420, kEnc420, "libyuv/RGB24ToI420 opencv/BGR2YUV_YV12"},
    {OP(qrxiBGRToYCrCb420_8u_AC4P3R), &kRGBA, &kP420, kEnc420, "libyuv/ARGBToI420 opencv/BGRA2YUV_YV12"},
    {OP(qrxiBGR555ToYCbCr420_16u8u_C3P3R), &kW16, &kP420, kEnc420, "libyuv/ARGB1555ToI420"},
    {OP(qrxiBGR565ToYCbCr420_16u8u_C3P3R), &kW16, &kP420, kEnc420, "libyuv/RGB565ToI420"},
    {OP(qrxiBGR555ToYCrCb420_16u8u_C3P3R), &kW16, &kP420, kEnc420, "libyuv/ARGB1555ToI420"},
    {OP(qrxiBGR565ToYCrCb420_16u8u_C3P3R), &kW16, &kP420, kEnc420, "libyuv/RGB565ToI420"},
    {OP(qrxiBGRToYCbCr411_8u_C3P3R), &kRGB, &kP411, kEnc411, ""},
    {OP(qrxiBGRToYCbCr411_8u_AC4P3R), &kRGBA, &kP411, kEnc411, ""},
    {OP(qrxiBGR555ToYCbCr411_16u8u_C3P3R), &kW16, &kP411, kEnc411, ""},
    {OP(qrxiBGR565ToYCbCr411_16u8u_C3P3R), &kW16, &kP411, kEnc411, ""},
    // subsampled YCbCr decoders
    {OP(qrxiYCbCr422ToRGB_8u_C2C3R), &kC2, &kRGB, kDec422, "opencv/YUV2RGB_YUY2 libyuv/YUY2ToARGB"},
    {OP(qrxiYCbCr422ToRGB_8u_C2P3R), &kC2, &kP444, kDec422, "opencv/YUV2RGB_YUY2"},
    {OP(qrxiYCrCb422ToRGB_8u_C2C3R), &kC2, &kRGB, kDec422, "opencv/YUV2RGB_YVYU"},
    {OP(qrxiYCrCb422ToRGB_8u_C2P3R), &kC2, &kP444, kDec422, "opencv/YUV2RGB_YVYU"},
    {OP(qrxiYCbCr422ToRGB_8u_P3C3R), &kP422, &kRGB, kDec422, "libyuv/I422ToRGB24"},
    {OP(qrxiYCbCr422ToBGR_8u_C2C3R), &kC2, &kRGB, kDec422, "opencv/YUV2BGR_YUY2"},
    {OP(qrxiYCbCr422ToBGR_8u_C2C4R), &kC2, &kRGBA, kDec422, "libyuv/YUY2ToARGB opencv/YUV2BGRA_YUY2"},
    {OP(qrxiYCbCr422ToBGR_8u_P3C3R), &kP422, &kRGB, kDec422, "libyuv/I422ToRGB24"},
    {OP(qrxiYCbCr420ToBGR_8u_P3C3R), &kP420, &kRGB, kDec420, "libyuv/I420ToRGB24 opencv/YUV2BGR_I420"},
    {OP(qrxiYCbCr420ToBGR_8u_P3C4R), &kP420, &kRGBA, kDec420, "libyuv/I420ToARGB opencv/YUV2BGRA_I420"},
    {OP(qrxiYCbCr420ToRGB_8u_P3C3R), &kP420, &kRGB, kDec420, "libyuv/I420ToRGB24 opencv/YUV2RGB_I420"},
    {OP(qrxiYCrCb420ToRGB_8u_P3C4R), &kP420, &kRGBA, kDec420, "libyuv/I420ToABGR opencv/YUV2RGBA_YV12"},
    {OP(qrxiYCrCb420ToBGR_Filter_8u_P3C4R), &kP420, &kRGBA, kDec420,
     "libyuv/I420ToARGBMatrixFilter_Bilinear libyuv/I420ToARGB"},
    {OP(qrxiYCbCr411ToBGR_8u_P3C3R), &kP411, &kRGB, kDec411, ""},
    {OP(qrxiYCbCr411ToBGR_8u_P3C4R), &kP411, &kRGBA, kDec411, ""},
    // colour to gray
    {OP(qrxiRGBToGray_8u_C3C1R), &kRGB, &kGray8, kGray, "libyuv/RGB24ToJ400 opencv/RGB2GRAY"},
    {OP(qrxiRGBToGray_8u_AC4C1R), &kRGBA, &kGray8, kGray, "libyuv/ARGBToJ400 opencv/RGBA2GRAY"},
    {OP(qrxiRGBToGray_16u_C3C1R), &k16uC3, &k16uC1, kGray, "opencv/RGB2GRAY_16U"},
    {OP(qrxiRGBToGray_16u_AC4C1R), &k16uC4, &k16uC1, kGray, "opencv/RGBA2GRAY_16U"},
    {OP(qrxiRGBToGray_16s_C3C1R), &k16sC3, &k16sC1, kGray, ""},
    {OP(qrxiRGBToGray_16s_AC4C1R), &k16sC4, &k16sC1, kGray, ""},
    {OP(qrxiRGBToGray_32f_C3C1R), &k32fC3, &k32fC1, kGray, "opencv/RGB2GRAY_32F"},
    {OP(qrxiRGBToGray_32f_AC4C1R), &k32fC4, &k32fC1, kGray, "opencv/RGBA2GRAY_32F"},
    {OP(qrxiColorToGray_8u_C3C1R), &kRGB, &kGray8, kGray, "libyuv/RGB24ToJ400 opencv/RGB2GRAY"},
    {OP(qrxiColorToGray_8u_AC4C1R), &kRGBA, &kGray8, kGray, "libyuv/ARGBToJ400 opencv/RGBA2GRAY"},
    {OP(qrxiColorToGray_16u_C3C1R), &k16uC3, &k16uC1, kGray, "opencv/RGB2GRAY_16U"},
    {OP(qrxiColorToGray_16u_AC4C1R), &k16uC4, &k16uC1, kGray, "opencv/RGBA2GRAY_16U"},
    {OP(qrxiColorToGray_16s_C3C1R), &k16sC3, &k16sC1, kGray, ""},
    {OP(qrxiColorToGray_16s_AC4C1R), &k16sC4, &k16sC1, kGray, ""},
    {OP(qrxiColorToGray_32f_C3C1R), &k32fC3, &k32fC1, kGray, "opencv/RGB2GRAY_32F"},
    {OP(qrxiColorToGray_32f_AC4C1R), &k32fC4, &k32fC1, kGray, "opencv/RGBA2GRAY_32F"},
};

#undef OP

void* libraryHandle() {
  void* handle = dlopen(QRX_BENCH_LIBRARY, RTLD_NOW | RTLD_GLOBAL);
  if (!handle) handle = dlopen("libqrxccm7.so", RTLD_NOW | RTLD_GLOBAL);
  return handle ? handle : RTLD_DEFAULT;
}

}  // namespace

bool registerOperationVariant(const std::string& op, const std::string& variant, Runner run) {
  for (const OpRow& row : kOps) {
    if (op != row.name) continue;
    registerCase(op + "/" + variant, *row.src, *row.dst, std::move(run));
    return true;
  }
  return false;
}

void registerOperations() {
  void* lib = libraryHandle();
  std::string missing;
  int found = 0;
  for (const OpRow& op : kOps) {
    void* symbol = dlsym(lib, op.name);
    if (!symbol) {
      missing += missing.empty() ? "" : " ";
      missing += op.name;
      continue;
    }
    ++found;
    describe(std::string("op:") + op.name, std::string("family=") + op.family + ";peers=" +
                                               op.peers + ";memcpy=" + memcpyPeerFor(*op.src));
    registerCase(op.name, *op.src, *op.dst, op.runner(symbol));
  }
  describe("qrx.operations", std::to_string(found) + " of " +
                                 std::to_string(sizeof(kOps) / sizeof(kOps[0])));
  describe("qrx.missing", missing);
}

}  // namespace qrxbench
