// Registration of our operations: the automatic kernels at both sizes, and
// every target this processor runs at the full frame.
#include "operations.h"

#include <set>
#include <string>
#include <utility>

#include "frame/target_select.h"

namespace qrxbench {
namespace {

struct Registered {
  const char* family;
  std::vector<Operation> ops;
  void (*peers)();
};

std::vector<Registered>& families() {
  static std::vector<Registered> list;
  return list;
}

// Runs `run` with the entries using target t's kernels.
Runner underTarget(qrx::Target t, Runner run) {
  return [t, run = std::move(run)](const Args& a) {
    qrx::selectTarget(t);
    const int status = run(a);
    qrx::selectAutomaticTarget();
    return status;
  };
}

}  // namespace

Family::Family(const char* title, std::initializer_list<Operation> ops, void (*peers)()) {
  families().push_back({title, std::vector<Operation>(ops), peers});
}

void registerOperations() {
  int count = 0;
  std::string targets;
  for (int t = 0; t < qrx::kTargetCount; ++t)
    if (qrx::targetSupported(static_cast<qrx::Target>(t)))
      targets += std::string(targets.empty() ? "" : " ") + qrx::targetName(static_cast<qrx::Target>(t));
  describe("qrx.targets", targets);
  describe("qrx.automatic", qrx::targetName(qrx::widestTarget()));
  for (const Registered& f : families())
    for (const Operation& op : f.ops) {
      ++count;
      describe(std::string("op:") + op.name, std::string("family=") + f.family + ";peers=" +
                                                 op.peers + ";memcpy=" + memcpyPeerFor(*op.src));
      registerCase(op.name, *op.src, *op.dst, op.run, {kFrame, kSmall});
      for (int t = 0; t < qrx::kTargetCount; ++t) {
        const auto target = static_cast<qrx::Target>(t);
        if (!qrx::targetSupported(target)) continue;
        registerCase(std::string(op.name) + "/" + qrx::targetName(target), *op.src, *op.dst,
                     underTarget(target, op.run), {kFrame}, targetMinTime());
      }
    }
  describe("qrx.operations", std::to_string(count));
  for (const Registered& f : families())
    if (f.peers) f.peers();
}

std::vector<const Layout*> operationSources() {
  std::vector<const Layout*> out;
  std::set<const Layout*> seen;
  for (const Registered& f : families())
    for (const Operation& op : f.ops)
      if (seen.insert(op.src).second) out.push_back(op.src);
  return out;
}

}  // namespace qrxbench
