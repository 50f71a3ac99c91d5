// libFuzzer entry point: each input is decoded into one call of one exported
// entry and checked (harness/harness.h); a broken promise aborts with a
// description of the call.
//
// Environment (read by this program only, never by the library):
//   QRX_FUZZ_FAMILY=<text>        only entries whose family path or name contains it
//   QRX_FUZZ_WRITE_SEEDS=<dir>    write the seed inputs of the entries missing there, then exit
//   QRX_FUZZ_CANONICALIZE=<dir>   instead of running an input, write it to <dir> with
//                                 the exact key of the entry it names (so it names the
//                                 same entry whatever the filter), then go on
//   QRX_FUZZ_THREADS=<n>          run every call on n library threads, whatever the
//                                 input says (with 1, the coverage an input reaches no
//                                 longer depends on how worker threads interleave)
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "harness/harness.h"

namespace {

std::vector<const qrxfuzz::Entry*> gEntries;
const char* gCanonicalDir = nullptr;
int gThreads = 0;  // 0: as the input says

void writeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// A short content hash for file names.
std::string hashOf(const std::vector<uint8_t>& bytes) {
    uint64_t h = 1469598103934665603ull;
    for (uint8_t b : bytes) h = (h ^ b) * 1099511628211ull;
    char s[17];
    std::snprintf(s, sizeof s, "%016llx", static_cast<unsigned long long>(h));
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* filter = std::getenv("QRX_FUZZ_FAMILY");
    gEntries = qrxfuzz::selectable(filter ? filter : "");
    if (gEntries.empty()) {
        std::fprintf(stderr, "qrx_fuzz: no entry matches QRX_FUZZ_FAMILY=%s\n", filter);
        std::exit(2);
    }
    if (const char* dir = std::getenv("QRX_FUZZ_WRITE_SEEDS")) {
        int written = 0;
        for (const qrxfuzz::Entry* e : gEntries) {
            const auto seeds = qrxfuzz::seedInputs(*e);
            for (size_t k = 0; k < seeds.size(); ++k) {
                const auto path = std::filesystem::path(dir) / (std::string(e->name) + "-" + std::to_string(k));
                if (std::filesystem::exists(path)) continue;
                writeFile(path, seeds[k]);
                ++written;
            }
        }
        std::fprintf(stderr, "qrx_fuzz: wrote %d seed inputs to %s\n", written, dir);
        std::exit(0);
    }
    gCanonicalDir = std::getenv("QRX_FUZZ_CANONICALIZE");
    if (const char* threads = std::getenv("QRX_FUZZ_THREADS")) gThreads = std::atoi(threads);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    qrxfuzz::Plan plan = qrxfuzz::decode(data, size, gEntries);
    if (gThreads > 0) plan.threads = gThreads;
    if (gCanonicalDir) {
        std::vector<uint8_t> bytes(data, data + size);
        bytes.resize(std::max<size_t>(bytes.size(), 4));
        for (int i = 0; i < 4; ++i) bytes[i] = uint8_t(plan.entry->key >> (8 * i));
        writeFile(std::filesystem::path(gCanonicalDir) / (std::string(plan.entry->name) + "-" + hashOf(bytes)),
                  bytes);
        return 0;
    }
    const std::string problem = qrxfuzz::check(plan);
    if (!problem.empty()) {
        std::fprintf(stderr, "\nqrx_fuzz: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
