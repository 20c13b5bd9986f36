#pragma once

#include <string>

namespace quorvane {

// Where downloads and "Save Images…" say how they are getting on: status panel 1 and the
// progress bar of the main window.
class TransferReport {
  public:
    virtual ~TransferReport() = default;
    virtual void SetStatusText(const std::string& text) = 0;  // panel 1
    virtual void SetProgress(float max, float value) = 0;
};

}  // namespace quorvane
