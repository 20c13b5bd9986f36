#include "saving/image_choice.h"

#include <charconv>
#include <map>
#include <tuple>
#include <unordered_set>

namespace quorvane {
namespace {

// "640w" is 640, "1.5x" is 1.5; 0 for none.
double DescriptorValue(const std::string& descriptor) {
    double value = 0;
    if (!descriptor.empty()) {
        std::from_chars(descriptor.data(), descriptor.data() + descriptor.size(), value);
    }
    return value;
}

using Rank = std::tuple<std::uint64_t, double>;

Rank RankOf(const ImageCandidate& candidate) {
    return {std::uint64_t{candidate.naturalWidth} * candidate.naturalHeight,
            DescriptorValue(candidate.descriptor)};
}

// The place in candidates of the best candidate of each srcset.
std::map<std::string, std::size_t> BestOfGroups(const std::vector<ImageCandidate>& candidates) {
    std::map<std::string, std::size_t> best;
    for (std::size_t place = 0; place < candidates.size(); ++place) {
        for (const std::string& group : candidates[place].groups) {
            const auto [known, added] = best.try_emplace(group, place);
            if (!added && RankOf(candidates[known->second]) < RankOf(candidates[place])) {
                known->second = place;
            }
        }
    }
    return best;
}

bool Kept(const std::vector<ImageCandidate>& candidates, std::size_t place,
          const std::map<std::string, std::size_t>& best) {
    const ImageCandidate& candidate = candidates[place];
    if (candidate.groups.empty()) {
        return true;
    }
    for (const std::string& group : candidate.groups) {
        if (best.at(group) == place) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::vector<ImageToSave> ChooseImagesToSave(const std::vector<ImageCandidate>& candidates,
                                            bool keepAllCandidates) {
    const std::map<std::string, std::size_t> best = BestOfGroups(candidates);
    std::unordered_set<std::string> taken;
    std::vector<ImageToSave> images;
    for (std::size_t place = 0; place < candidates.size(); ++place) {
        const ImageCandidate& candidate = candidates[place];
        if ((!keepAllCandidates && !Kept(candidates, place, best)) ||
            !taken.insert(candidate.address).second) {
            continue;
        }
        images.push_back({candidate.address, SavedImageName(candidate.address, images.size() + 1),
                          candidate.cut});
    }
    return images;
}

}  // namespace quorvane
