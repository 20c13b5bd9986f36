#pragma once

#include <memory>
#include <optional>
#include <string>

#include "engine/browser_view_element.h"
#include "inspection/encoding_labels.h"
#include "inspection/served_source_pane.h"

namespace quorvane {

// The encoding the "Original Source" view reads the served text in. The page's own (by
// its response, its bytes or UTF-8) until the user chooses another from View > Text
// Encoding; the choice lasts while the view shows that page, and the bytes, which the
// engine keeps, are read again in it. As the pane the follower shows the served text in,
// it hands the text on to next, read again where an encoding was chosen.
class ServedEncoding : public ServedSourcePane {
  public:
    explicit ServedEncoding(ServedSourcePane& next) : next_(next) {}

    // The Browser view, whose page's bytes are read again; none until its engine is made.
    void ReadBytesFrom(BrowserViewElement& browser) { browser_ = &browser; }
    // Reads the page shown again in encoding.
    void Choose(const WebEncoding& encoding);
    // The encoding the text is shown in ("windows-1252"); "" before any.
    const std::string& ShownEncoding() const { return shown_; }
    bool Chosen() const { return chosen_.has_value(); }

    bool Visible() const override { return next_.Visible(); }
    void SetVisible(bool visible) override { next_.SetVisible(visible); }
    void TellEncoding(const std::string& encoding) override { told_ = encoding; }
    void ShowSource(std::string text, std::string pageAddress) override;
    SourceMatches Find(const std::string& what, const SourceFindOptions& options,
                       unsigned maxMatches) override {
        return next_.Find(what, options, maxMatches);
    }
    void FindNext() override { next_.FindNext(); }
    void FindPrevious() override { next_.FindPrevious(); }
    void EndFind() override { next_.EndFind(); }
    std::size_t CurrentMatch() const override { return next_.CurrentMatch(); }
    double ZoomLevel() const override { return next_.ZoomLevel(); }
    void SetZoomLevel(double level) override { next_.SetZoomLevel(level); }

  private:
    void ReadAgain();

    ServedSourcePane& next_;
    BrowserViewElement* browser_ = nullptr;
    std::optional<WebEncoding> chosen_;
    std::string address_;  // of the page shown
    std::string told_;     // what the follower read the next text in
    std::string shown_;
    unsigned request_ = 0;  // numbers the reads, so that an older answer is dropped
    std::shared_ptr<const int> alive_ = std::make_shared<const int>();
};

}  // namespace quorvane
