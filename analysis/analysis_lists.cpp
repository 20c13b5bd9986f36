#include "analysis/analysis_lists.h"

namespace quorvane {

void AnalysisLists::Clear() {
    Links[0].clear();
    frmList[0].clear();
    Links[1].clear();
    frmList[1].clear();
}

}  // namespace quorvane
