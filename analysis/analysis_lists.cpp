#include "analysis/analysis_lists.h"

namespace quorvane {

void AnalysisLists::Clear() {
    Links[0].clear();
    frmList[0].clear();
    Links[1].clear();
    frmList[1].clear();
}

std::size_t AnalysisLists::Bytes() const {
    std::size_t bytes = 0;
    for (const std::vector<std::string>* list : {&Links[0], &frmList[0], &Links[1], &frmList[1]}) {
        for (const std::string& entry : *list) {
            bytes += entry.size();
        }
    }
    return bytes;
}

}  // namespace quorvane
