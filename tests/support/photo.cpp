#include "photo.h"

#ifdef QRX_TEST_HAVE_PNG
#include <png.h>

#include <cstring>
#endif

namespace qrxtest {

bool loadPhoto(const std::string& name, Photo& out) {
#ifdef QRX_TEST_HAVE_PNG
    const std::string path = "/usr/lib/python3/dist-packages/skimage/data/" + name;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    out.width = int(image.width);
    out.height = int(image.height);
    out.rgb.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    return true;
#else
    (void)name, (void)out;
    return false;
#endif
}

}  // namespace qrxtest
