#include "png_read.h"

#include <zlib.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace qrxtest {
namespace {

uint32_t be32(const uint8_t* p) { return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }

int paeth(int a, int b, int c) {
    const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : (pb <= pc ? b : c);
}

}  // namespace

bool readPng(const std::string& path, Photo& out) {
    std::ifstream f(path, std::ios::binary);
    const std::vector<uint8_t> file((std::istreambuf_iterator<char>(f)), {});
    static const uint8_t kSig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (file.size() < 8 || !std::equal(kSig, kSig + 8, file.begin())) return false;
    std::vector<uint8_t> idat;
    int depth = 0, colour = -1, interlace = 0;
    for (size_t at = 8; at + 12 <= file.size();) {
        const uint32_t len = be32(&file[at]);
        if (at + 12 + len > file.size()) return false;
        const std::string type(file.begin() + at + 4, file.begin() + at + 8);
        const uint8_t* data = &file[at + 8];
        if (type == "IHDR") {
            out.width = int(be32(data));
            out.height = int(be32(data + 4));
            depth = data[8];
            colour = data[9];
            interlace = data[12];
        } else if (type == "IDAT") {
            idat.insert(idat.end(), data, data + len);
        }
        at += 12 + len;
    }
    out.channels = colour == 0 ? 1 : colour == 2 ? 3 : colour == 6 ? 4 : 0;
    if (depth != 8 || interlace != 0 || out.channels == 0 || out.width <= 0 || out.height <= 0)
        return false;
    const size_t row = size_t(out.width) * out.channels;
    std::vector<uint8_t> raw((row + 1) * out.height);
    uLongf rawSize = raw.size();
    if (uncompress(raw.data(), &rawSize, idat.data(), idat.size()) != Z_OK || rawSize != raw.size())
        return false;
    out.pixels.assign(row * out.height, 0);
    const int bpp = out.channels;
    for (int y = 0; y < out.height; ++y) {
        const uint8_t filter = raw[y * (row + 1)];
        const uint8_t* in = &raw[y * (row + 1) + 1];
        uint8_t* cur = &out.pixels[y * row];
        const uint8_t* prev = y ? cur - row : nullptr;
        for (size_t i = 0; i < row; ++i) {
            const int a = i >= size_t(bpp) ? cur[i - bpp] : 0, b = prev ? prev[i] : 0;
            const int c = prev && i >= size_t(bpp) ? prev[i - bpp] : 0;
            int pred = 0;
            switch (filter) {
                case 0: pred = 0; break;
                case 1: pred = a; break;
                case 2: pred = b; break;
                case 3: pred = (a + b) / 2; break;
                case 4: pred = paeth(a, b, c); break;
                default: return false;
            }
            cur[i] = uint8_t(in[i] + pred);
        }
    }
    return true;
}

}  // namespace qrxtest
