// memcpy of as many bytes as one source region of each layout our operations
// read: the ceiling a conversion that touches its source once could reach.
#include <cstring>
#include <set>
#include <string>

#include "frames.h"
#include "operations.h"

namespace qrxbench {

void registerMemcpyPeers() {
  std::set<std::string> done;
  for (const Layout* l : operationSources()) {
    std::string name = memcpyPeerFor(*l);
    if (!done.insert(name).second) continue;
    Runner copy = [](const Args& a) {
      const Layout& l = a.src->layout;
      for (int p = 0; p < l.planes; ++p)
        std::memcpy(a.dst->plane[p], a.src->plane[p],
                    std::size_t(l.planeWidth(p, a.roi.width)) * l.channels * l.elemBytes() *
                        l.planeHeight(p, a.roi.height));
      return 0;
    };
    registerPeer(name, *l, *l, copy, "memcpy of as many bytes as one source region");
  }
}

}  // namespace qrxbench
