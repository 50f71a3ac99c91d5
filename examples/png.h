// A small PNG writer for 8-bit gray and RGB images: no compression (stored
// deflate blocks), no filtering, no external libraries.
#ifndef QRX_EXAMPLES_PNG_H
#define QRX_EXAMPLES_PNG_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace demo {

// CRC-32 of the PNG chunks (polynomial 0xEDB88320); pass the previous result
// to continue over several buffers.
uint32_t crc32(const uint8_t* data, size_t size, uint32_t crc = 0);

// Adler-32 checksum that ends a zlib stream; continues from `adler`.
uint32_t adler32(const uint8_t* data, size_t size, uint32_t adler = 1);

// The complete PNG file for `height` rows of `width` pixels with `channels`
// bytes each (1: gray, 3: RGB); rows start `step` bytes apart.
std::vector<uint8_t> encodePng(const uint8_t* pixels, int width, int height, int channels,
                               int step);

// Writes encodePng(...) to `path`; false if the file could not be written.
bool writePng(const std::string& path, const uint8_t* pixels, int width, int height,
              int channels, int step);

}  // namespace demo

#endif
