#include "source_changes/page_frames.h"

#include <algorithm>
#include <unordered_set>

#include "base/address_scheme.h"

namespace quorvane {

std::vector<std::string> FramesToChoose(std::string_view pageAddress,
                                        const std::vector<std::string>& frameAddresses) {
    std::vector<std::string> offered;
    std::unordered_set<std::string_view> seen = {pageAddress};
    for (const std::string& address : frameAddresses) {
        if (offered.size() == kMaxFrameChoices) {
            break;
        }
        if (OpensFromPage(address, pageAddress) && seen.insert(address).second) {
            offered.push_back(address);
        }
    }
    return offered;
}

std::string FrameStillChosen(const std::vector<std::string>& offered, const std::string& chosen) {
    return std::ranges::find(offered, chosen) != offered.end() ? chosen : std::string();
}

}  // namespace quorvane
