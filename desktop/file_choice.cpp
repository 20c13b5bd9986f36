#include "desktop/file_choice.h"

namespace quorvane {

std::string WildcardOf(const std::vector<FileTypeFilter>& filters) {
    if (filters.empty()) {
        return "*";
    }
    std::string wildcard;
    for (const FileTypeFilter& filter : filters) {
        if (!wildcard.empty()) {
            wildcard += '|';
        }
        wildcard += filter.name;
        wildcard += '|';
        for (std::size_t i = 0; i < filter.patterns.size(); ++i) {
            wildcard += (i == 0 ? "" : ";") + filter.patterns[i];
        }
    }
    return wildcard;
}

}  // namespace quorvane
