// Reads the 8-bit photographs the image-quality tests use (Debian's
// python3-skimage data folder): non-interlaced PNG, gray, RGB or RGBA.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qrxtest {

struct Photo {
    int width = 0, height = 0, channels = 0;  // channels 1, 3 or 4
    std::vector<uint8_t> pixels;              // dense rows
};

// False when the file is missing or not such a PNG.
bool readPng(const std::string& path, Photo& out);

// Where the test photographs live.
inline const char* kPhotoFolder = "/usr/lib/python3/dist-packages/skimage/data/";

}  // namespace qrxtest
