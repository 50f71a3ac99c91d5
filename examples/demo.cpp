// Demonstration of libqrxccm7.
//
// Prints the library's version record and how many of its image operations
// the loaded library provides, then sends a colour test chart through
//   RGB -> YUV 4:2:0 -> RGB, RGB -> YCbCr 4:4:4 -> RGB,
//   RGB -> YCbCr 4:2:0 -> RGB and RGB -> gray,
// and writes the chart, the 4:2:0 planes and every result as PNG files.
// For each step it reports the status of every call, the throughput of every
// operation and the PSNR of the result.
//
// Operations are looked up by name in the loaded library, so the demo runs
// against a library that lacks some of them: those steps report
// "not available". The exit status is 1 if a call failed or a file could
// not be written, else 0.
//
// Usage: qrx_demo [output-directory]    (default: demo-out)
#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

#include "chart.h"
#include "png.h"
#include "qrxcc.h"

namespace {

using demo::Image;

// Every image operation the library can export, generated from its export list.
const char* const kOperationNames[] = {
#include "qrx_operation_names.inc"
};

const char* statusName(QrxStatus s) {
    switch (s) {
        case qrxOk: return "qrxOk";
        case qrxWarnNothingDone: return "qrxWarnNothingDone";
        case qrxWarnSizeNotMultiple: return "qrxWarnSizeNotMultiple";
        case qrxErrBadArg: return "qrxErrBadArg";
        case qrxErrSize: return "qrxErrSize";
        case qrxErrNullPtr: return "qrxErrNullPtr";
        case qrxErrMemAlloc: return "qrxErrMemAlloc";
        case qrxErrStep: return "qrxErrStep";
        case qrxErrRange: return "qrxErrRange";
        case qrxErrLevelCount: return "qrxErrLevelCount";
        case qrxErrNoiseAmount: return "qrxErrNoiseAmount";
        default: return "unknown status";
    }
}

// The loaded library, found by the file name its version record gives.
void* openLibrary(const QrxLibVersion& v) {
    void* lib = dlopen(v.libraryName, RTLD_NOW | RTLD_NOLOAD);
    return lib ? lib : RTLD_DEFAULT;
}

std::string libraryPath(void* lib) {
    link_map* map = nullptr;
    if (lib == RTLD_DEFAULT || dlinfo(lib, RTLD_DI_LINKMAP, &map) != 0 || !map) return "?";
    return map->l_name;
}

void printLibrary(void* lib) {
    const QrxLibVersion& v = *qrxccGetLibVersion();
    char cpu[5] = {};
    std::copy(v.cpuCode, v.cpuCode + 4, cpu);
    std::printf("library    %s  (%s)\n", v.libraryName, libraryPath(lib).c_str());
    std::printf("version    %d.%d, build %d.%d, \"%s\", %s, cpu code \"%s\"\n", v.versionMajor,
                v.versionMinor, v.buildMajor, v.buildNumber, v.versionText, v.buildDateText, cpu);
    const int total = int(std::size(kOperationNames));
    const int found = int(std::count_if(std::begin(kOperationNames), std::end(kOperationNames),
                                        [&](const char* name) { return dlsym(lib, name); }));
    std::printf("operations %d of %d image operations exported\n\n", found, total);
}

// ---- measurements ----------------------------------------------------------

struct Difference {
    double psnr;  // dB; infinite when identical
    int maxAbs;
};

// Rows y0 to y1 - 1 of two images of the same shape.
Difference compare(const Image& a, const Image& b, int y0, int y1) {
    double sum = 0;
    int maxAbs = 0;
    const size_t begin = size_t(y0) * a.step(), end = size_t(y1) * a.step();
    for (size_t i = begin; i < end; ++i) {
        const int d = int(a.pixels[i]) - int(b.pixels[i]);
        sum += double(d) * d;
        maxAbs = std::max(maxAbs, std::abs(d));
    }
    const double mse = sum / double(end - begin);
    return {mse == 0 ? INFINITY : 10 * std::log10(255.0 * 255.0 / mse), maxAbs};
}

// PSNR over the whole image and over the chart's smooth and detailed parts:
// the fine detail is where chroma subsampling shows.
void printDifference(const Image& result, const Image& reference) {
    const int split = demo::kChartDetailTop, h = result.height;
    const Difference all = compare(result, reference, 0, h);
    std::printf("  PSNR %.2f dB, largest difference %d\n", all.psnr, all.maxAbs);
    std::printf("    gradients and patches (rows 0-%d) %.2f dB, fine detail (rows %d-%d) %.2f dB\n",
                split - 1, compare(result, reference, 0, split).psnr, split, h - 1,
                compare(result, reference, split, h).psnr);
}

// Luma 0.299 R + 0.587 G + 0.114 B of every pixel, computed in floating point
// and rounded: what an exact gray conversion would give.
Image exactLuma(const Image& rgb) {
    Image gray(rgb.width, rgb.height, 1);
    for (size_t i = 0; i < gray.pixels.size(); ++i) {
        const uint8_t* p = &rgb.pixels[3 * i];
        gray.pixels[i] = uint8_t(std::lround(0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2]));
    }
    return gray;
}

// Best time of several runs, as Mpixel/s.
double throughput(const std::function<QrxStatus()>& call, int pixels) {
    using Clock = std::chrono::steady_clock;
    double best = INFINITY;
    for (int rep = 0; rep < 10; ++rep) {
        const auto start = Clock::now();
        call();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return pixels / best / 1e6;
}

// ---- steps -----------------------------------------------------------------

// One library call of a step: the operation's name and how to call it once
// it has been found.
struct Call {
    const char* name;
    std::function<QrxStatus(void* fn)> run;
};

template <class Fn>
Fn* as(void* fn) {
    return reinterpret_cast<Fn*>(fn);
}

struct Step {
    const char* title;
    std::vector<Call> calls;     // in order; each consumes the previous one's output
    const Image* result;         // written by the last call
    const Image* reference;      // what the result is compared with
    const char* comparedWith;    // description of the reference
    std::string file;            // PNG for the result
    std::function<Image()> intermediate;  // optional picture of the first call's output
    std::string intermediateFile;
    const char* note;  // what to expect, or null
};

struct Outcome {
    bool failed = false;  // a call returned an error or a file was not written
    int available = 0;    // operations found
};

bool savePng(const std::string& path, const Image& img) {
    const bool ok =
        demo::writePng(path, img.data(), img.width, img.height, img.channels, img.step());
    std::printf(ok ? "  wrote %s\n" : "  cannot write %s\n", path.c_str());
    return ok;
}

// Reports the calls from `first` on as not run, as they lack their input.
void skipFrom(void* lib, const Step& step, size_t first) {
    for (size_t i = first; i < step.calls.size(); ++i) {
        const char* name = step.calls[i].name;
        std::printf("  %-30s %s\n", name, dlsym(lib, name) ? "skipped" : "not available");
    }
}

void runStep(void* lib, const Step& step, int pixels, Outcome& outcome) {
    std::printf("%s\n", step.title);
    for (const Call& call : step.calls)
        if (dlsym(lib, call.name)) ++outcome.available;
    for (size_t i = 0; i < step.calls.size(); ++i) {
        const Call& call = step.calls[i];
        void* fn = dlsym(lib, call.name);
        if (!fn) return skipFrom(lib, step, i);
        const QrxStatus status = call.run(fn);
        if (status < 0) {
            std::printf("  %-30s %s (%d)\n", call.name, statusName(status), int(status));
            outcome.failed = true;
            return skipFrom(lib, step, i + 1);
        }
        const double mpix = throughput([&] { return call.run(fn); }, pixels);
        std::printf("  %-30s %-24s %8.1f Mpixel/s\n", call.name, statusName(status), mpix);
        if (i == 0 && step.intermediate) {
            const Image picture = step.intermediate();
            if (!savePng(step.intermediateFile, picture)) outcome.failed = true;
        }
    }
    std::printf("  compared with %s:\n", step.comparedWith);
    printDifference(*step.result, *step.reference);
    if (step.note) std::printf("    %s\n", step.note);
    if (!savePng(step.file, *step.result)) outcome.failed = true;
}

// The three 4:2:0 planes of a width x height image.
struct Planes420 {
    int width, height;
    std::vector<uint8_t> y, u, v;
    Qrx8u* ptr[3];
    int step[3];

    Planes420(int w, int h)
        : width(w), height(h), y(size_t(w) * h), u(size_t(w / 2) * (h / 2)), v(u.size()),
          ptr{y.data(), u.data(), v.data()}, step{w, w / 2, w / 2} {}
    const Qrx8u* const* cptr() const { return ptr; }

    // Y above, the two chroma planes side by side below it.
    Image picture() const {
        Image img(width, height + height / 2, 1);
        std::copy(y.begin(), y.end(), img.data());
        for (int r = 0; r < height / 2; ++r) {
            uint8_t* row = img.at(0, height + r);
            std::copy_n(&u[size_t(r) * step[1]], step[1], row);
            std::copy_n(&v[size_t(r) * step[2]], step[2], row + width / 2);
        }
        return img;
    }
};

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path outDir = argc > 1 ? argv[1] : "demo-out";
    std::error_code ec;
    std::filesystem::create_directories(outDir, ec);
    if (ec) {
        std::printf("cannot create %s: %s\n", outDir.c_str(), ec.message().c_str());
        return 1;
    }
    auto out = [&](const char* name) { return (outDir / name).string(); };

    void* lib = openLibrary(*qrxccGetLibVersion());
    printLibrary(lib);

    const Image chart = demo::makeTestChart();
    const int w = chart.width, h = chart.height, pixels = w * h;
    const QrxRoiSize roi{w, h};
    std::printf("test chart %d x %d RGB\n", w, h);
    Outcome outcome;
    if (!savePng(out("chart.png"), chart)) outcome.failed = true;
    std::printf("\n");

    Planes420 yuv(w, h), ycc420(w, h);
    Image ycc444(w, h, 3), fromYuv(w, h, 3), from444(w, h, 3), from420(w, h, 3), gray(w, h, 1);
    const Image luma = exactLuma(chart);
    const char* original = "the chart";

    const Step steps[] = {
        {"RGB -> YUV 4:2:0 -> RGB",
         {{"qrxiRGBToYUV420_8u_C3P3R",
           [&](void* f) {
               return as<decltype(qrxiRGBToYUV420_8u_C3P3R)>(f)(chart.data(), chart.step(),
                                                                yuv.ptr, yuv.step, roi);
           }},
          {"qrxiYUV420ToRGB_8u_P3C3R",
           [&](void* f) {
               return as<decltype(qrxiYUV420ToRGB_8u_P3C3R)>(f)(
                   yuv.cptr(), yuv.step, fromYuv.data(), fromYuv.step(), roi);
           }}},
         &fromYuv, &chart, original, out("yuv420.png"), [&] { return yuv.picture(); },
         out("yuv420_planes.png"),
         "chroma blurs over 2 x 2 pixels; V is clamped, so saturated reds and cyans come back "
         "duller"},
        {"RGB -> YCbCr 4:4:4 -> RGB",
         {{"qrxiRGBToYCbCr_8u_C3R",
           [&](void* f) {
               return as<decltype(qrxiRGBToYCbCr_8u_C3R)>(f)(chart.data(), chart.step(),
                                                             ycc444.data(), ycc444.step(), roi);
           }},
          {"qrxiYCbCrToRGB_8u_C3R",
           [&](void* f) {
               return as<decltype(qrxiYCbCrToRGB_8u_C3R)>(f)(ycc444.data(), ycc444.step(),
                                                             from444.data(), from444.step(), roi);
           }}},
         &from444, &chart, original, out("ycbcr444.png"), {}, {}, nullptr},
        {"RGB -> YCbCr 4:2:0 -> RGB",
         {{"qrxiRGBToYCbCr420_8u_C3P3R",
           [&](void* f) {
               return as<decltype(qrxiRGBToYCbCr420_8u_C3P3R)>(f)(chart.data(), chart.step(),
                                                                  ycc420.ptr, ycc420.step, roi);
           }},
          {"qrxiYCbCr420ToRGB_8u_P3C3R",
           [&](void* f) {
               return as<decltype(qrxiYCbCr420ToRGB_8u_P3C3R)>(f)(
                   ycc420.cptr(), ycc420.step, from420.data(), from420.step(), roi);
           }}},
         &from420, &chart, original, out("ycbcr420.png"), [&] { return ycc420.picture(); },
         out("ycbcr420_planes.png"),
         "chroma is shared by 2 x 2 pixels: fine coloured detail loses its colour"},
        {"RGB -> gray",
         {{"qrxiRGBToGray_8u_C3C1R",
           [&](void* f) {
               return as<decltype(qrxiRGBToGray_8u_C3C1R)>(f)(chart.data(), chart.step(),
                                                              gray.data(), gray.step(), roi);
           }}},
         &gray, &luma, "the chart's luma 0.299 R + 0.587 G + 0.114 B in floating point",
         out("gray.png"), {}, {}, nullptr},
    };

    int calls = 0;
    for (const Step& step : steps) {
        runStep(lib, step, pixels, outcome);
        calls += int(step.calls.size());
        std::printf("\n");
    }
    std::printf("%d of %d demo operations available; %s\n", outcome.available, calls,
                outcome.failed ? "FAILED" : "done");
    if (lib != RTLD_DEFAULT) dlclose(lib);
    return outcome.failed ? 1 : 0;
}
