#include "tools/system/ServiceEnumerator.h"

namespace {
class TNoServices : public IServiceManager {
  public:
    std::vector<TServiceRecord> EnumerateServices() override { return {}; }
    std::optional<TServiceConfig> QueryConfig(const std::string&) override { return std::nullopt; }
};
}  // namespace

std::unique_ptr<IServiceManager> OpenServiceManager() {
    return std::make_unique<TNoServices>();
}
