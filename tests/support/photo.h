// Real photographs for image-quality tests: 8-bit RGB images read from
// Debian's python3-skimage data folder with libpng.
#pragma once

#include <string>
#include <vector>

namespace qrxtest {

struct Photo {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;  // dense rows of width x 3 bytes
};

// Reads `name` (for example "astronaut.png") as RGB. False when the file,
// or the PNG reader (the build found no libpng), is not there.
bool loadPhoto(const std::string& name, Photo& out);

}  // namespace qrxtest
