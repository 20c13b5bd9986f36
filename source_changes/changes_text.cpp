#include "source_changes/changes_text.h"

#include "desktop/translation.h"

namespace quorvane {
namespace {

class Interleaving {
  public:
    Interleaving(std::string_view served, std::string_view live)
        : served_(SplitLines(served)), live_(SplitLines(live)) {
        result_.text.reserve(served.size() + live.size() / 2);
    }

    void AddChange(const LineChange& change) {
        AddShared(change.servedFirst);
        const auto first = static_cast<std::uint32_t>(line_);
        for (std::uint32_t i = 0; i < change.servedCount; ++i) {
            Add(served_[change.servedFirst + i], MarkedLine::Side::Served);
        }
        for (std::uint32_t i = 0; i < change.liveCount; ++i) {
            Add(live_[change.liveFirst + i], MarkedLine::Side::Live);
        }
        servedAt_ = change.servedFirst + change.servedCount;
        result_.changes.push_back({first, static_cast<std::uint32_t>(line_) - first});
    }

    ChangesText Finish() {
        AddShared(served_.size());
        return std::move(result_);
    }

  private:
    // The shared lines before the served text's line end, as the served text has them.
    void AddShared(std::size_t end) {
        for (; servedAt_ < end; ++servedAt_) {
            AddLine(served_[servedAt_]);
        }
    }

    void Add(std::string_view line, MarkedLine::Side side) {
        result_.marks.push_back({static_cast<std::uint32_t>(line_), side});
        AddLine(line);
    }

    void AddLine(std::string_view line) {
        result_.text.append(line);
        result_.text += '\n';
        ++line_;
    }

    std::vector<std::string_view> served_;
    std::vector<std::string_view> live_;
    std::size_t servedAt_ = 0;
    std::size_t line_ = 0;
    ChangesText result_;
};

}  // namespace

ChangesText InterleaveChanges(std::string_view served, std::string_view live,
                              const std::vector<LineChange>& changes) {
    Interleaving interleaving(served, live);
    for (const LineChange& change : changes) {
        interleaving.AddChange(change);
    }
    return interleaving.Finish();
}

std::string TextsOneAfterTheOther(std::string_view served, std::string_view live,
                                  std::string_view why) {
    std::string text;
    text.reserve(served.size() + live.size() + why.size() + 100);
    text.append("[").append(why).append("]\n[").append(Translated("As served:")).append("]\n");
    text.append(served);
    if (!served.empty() && served.back() != '\n') {
        text += '\n';
    }
    text.append("[").append(Translated("As the page is now:")).append("]\n").append(live);
    return text;
}

}  // namespace quorvane
