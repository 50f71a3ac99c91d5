#include "harness/table.h"

#include <algorithm>
#include <cstring>

namespace qrxfuzz {
namespace {

std::vector<Entry>& registry() {
    static std::vector<Entry> rows;
    return rows;
}

}  // namespace

// FNV-1a: a fuzz input keeps naming the same entry as families are added.
uint32_t entryKey(const char* name) {
    uint32_t h = 2166136261u;
    for (const char* p = name; *p; ++p) h = (h ^ uint8_t(*p)) * 16777619u;
    return h;
}

Family::Family(const char* path, std::initializer_list<Entry> rows) {
    auto& all = registry();
    for (Entry e : rows) {
        e.family = path;
        e.key = entryKey(e.name);
        all.insert(std::upper_bound(all.begin(), all.end(), e,
                                    [](const Entry& a, const Entry& b) { return a.key < b.key; }),
                   e);
    }
}

const std::vector<Entry>& entries() { return registry(); }

const Entry* findEntry(const std::string& name) {
    for (const Entry& e : registry())
        if (name == e.name) return &e;
    return nullptr;
}

Access accessOf(const Entry& e, int i) {
    if (e.images[i].access != Access::Auto) return e.images[i].access;
    if (!e.shape.image[i].writable) return Access::Read;
    for (int k = 0; k < e.shape.images; ++k)
        if (!e.shape.image[k].writable) return Access::Write;
    return Access::ReadWrite;  // in-place forms
}

std::string rowProblems(const Entry& e) {
    std::string out;
    auto problem = [&](const std::string& p) { out += std::string(e.name) + ": " + p + "\n"; };
    if (int(e.images.size()) != e.shape.images)
        problem("the row describes " + std::to_string(e.images.size()) + " images, the prototype has " +
                std::to_string(e.shape.images));
    for (int i = 0; i < std::min<int>(e.images.size(), e.shape.images); ++i) {
        const Image& im = e.images[i];
        const ImageShape& sh = e.shape.image[i];
        if (!sh.planar && im.planes != 1) problem("image " + std::to_string(i) + " is not planar");
        if (sh.planar && (im.planes < 2 || im.planes > 4)) {
            problem("image " + std::to_string(i) + " needs 2 to 4 planes");
            continue;
        }
        if (im.kept >= 0 && (sh.planar || im.kept >= im.plane[0].channels))
            problem("image " + std::to_string(i) + " keeps a channel it does not have");
        if (sh.steps == Steps::One && sh.planar)
            for (int p = 1; p < im.planes; ++p)
                if (im.plane[p].xShift || im.plane[p].yShift)
                    problem("planes sharing one step must be of one size");
    }
    if (int(e.ints.size()) > e.shape.ints) problem("more integer parameters than the prototype");
    if (int(e.floats.size()) > e.shape.floats) problem("more float parameters than the prototype");
    return out;
}

}  // namespace qrxfuzz
