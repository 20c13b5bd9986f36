#pragma once

#include <string>

#include "inspection/served_source_pane.h"
#include "tests/main_window/call_log.h"

namespace quorvane::testing {

// The Original Source view without a display: it keeps the text it was given, searches it
// with the real FindInSource, and records every call as "served.<call>(<argument>)".
class FakeSourcePane : public ServedSourcePane {
  public:
    explicit FakeSourcePane(CallLog& log) : log_(log) {}

    std::string text;
    std::string pageAddress;
    double zoom = 1.0;

    bool Visible() const override { return visible_; }
    void SetVisible(bool visible) override { visible_ = visible; }
    void ShowSource(std::string shown, std::string address) override {
        log_.push_back("served.ShowSource(" + address + ")");
        text = std::move(shown);
        pageAddress = std::move(address);
    }
    SourceMatches Find(const std::string& what, const SourceFindOptions& options,
                       unsigned maxMatches) override {
        log_.push_back("served.Find(" + what + ")");
        SourceMatches found = FindInSource(text, what, options, maxMatches);
        matches_ = found.ranges.size();
        current_ = matches_ > 0 ? 1 : 0;
        return found;
    }
    void FindNext() override { current_ = matches_ > 0 ? current_ % matches_ + 1 : 0; }
    void FindPrevious() override {
        current_ = matches_ > 0 ? (current_ + matches_ - 2) % matches_ + 1 : 0;
    }
    void EndFind() override {
        log_.push_back("served.EndFind");
        matches_ = current_ = 0;
    }
    std::size_t CurrentMatch() const override { return current_; }
    double ZoomLevel() const override { return zoom; }
    void SetZoomLevel(double level) override { zoom = level; }

  private:
    CallLog& log_;
    bool visible_ = false;
    std::size_t matches_ = 0;
    std::size_t current_ = 0;
};

}  // namespace quorvane::testing
