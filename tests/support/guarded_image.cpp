#include "guarded_image.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>

namespace qrxtest {

GuardedBuffer::GuardedBuffer(size_t bytes) {
    const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    const size_t usable = (bytes + page - 1) / page * page;
    mapBytes_ = usable + page;
    void* m = mmap(nullptr, mapBytes_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (m == MAP_FAILED) std::abort();
    map_ = static_cast<unsigned char*>(m);
    if (mprotect(map_ + usable, page, PROT_NONE) != 0) std::abort();
    size_ = bytes;
    data_ = map_ + usable - bytes;  // the last usable byte touches the guard page
}

GuardedBuffer::~GuardedBuffer() { munmap(map_, mapBytes_); }

}  // namespace qrxtest
