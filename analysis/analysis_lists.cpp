#include "analysis/analysis_lists.h"

namespace quorvane {

void AnalysisLists::Clear() {
    imageLinks.addresses.clear();
    imageLinks.fileNames.clear();
    imageTags.addresses.clear();
    imageTags.fileNames.clear();
}

std::size_t AnalysisLists::Bytes() const {
    std::size_t bytes = 0;
    for (const std::vector<std::string>* list : {&imageLinks.addresses, &imageLinks.fileNames,
                                                 &imageTags.addresses, &imageTags.fileNames}) {
        for (const std::string& entry : *list) {
            bytes += entry.size();
        }
    }
    return bytes;
}

}  // namespace quorvane
