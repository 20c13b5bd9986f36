#include "source_changes/source_modes.h"

#include <utility>

#include "desktop/translation.h"
#include "source_changes/source_comparison.h"

namespace quorvane {

SourceModes::SourceModes(ChangesPane& pane, LiveDocumentReader& reader,
                         OrderedWorker::ToWindowThread toWindowThread, SourceMode mode,
                         std::function<void()> changed, ChangeBounds bounds)
    : pane_(pane),
      reader_(reader),
      mode_(mode),
      changed_(std::move(changed)),
      bounds_(bounds),
      worker_(std::move(toWindowThread)) {}

// A read still running answers into the token it was given, which is gone by then.
SourceModes::~SourceModes() = default;

void SourceModes::ShowSource(std::string text, std::string pageAddress) {
    served_ = std::make_shared<const std::string>(std::move(text));
    servedAddress_ = std::move(pageAddress);
    ++request_;
    live_ = LiveText::NotRead;
    comparison_ = Comparison::NotMade;
    if (mode_ == SourceMode::AsServed) {
        ShowAsChosen();
    } else {
        ReadLive();
    }
}

void SourceModes::Choose(SourceMode mode) {
    const bool again = mode == mode_;
    mode_ = mode;
    if (mode != SourceMode::AsServed) {
        ReadLive();
    } else if (!again) {
        ShowAsChosen();
    }
}

void SourceModes::ReadLiveAgain() {
    if (mode_ != SourceMode::AsServed) {
        ReadLive();
    }
}

void SourceModes::ReadLive() {
    const unsigned request = ++request_;
    live_ = LiveText::Reading;
    comparison_ = Comparison::NotMade;
    worker_.DropWaiting();
    reader_.ReadLiveDocument([this, request, alive = std::weak_ptr<const int>(alive_)](
                                 std::optional<LiveDocument> document) {
        if (!alive.expired()) {
            OnLiveRead(request, std::move(document));
        }
    });
    changed_();
}

void SourceModes::OnLiveRead(unsigned request, std::optional<LiveDocument> document) {
    if (request != request_) {
        return;
    }
    live_ = document ? LiveText::Read : LiveText::Missing;
    liveText_ =
        std::make_shared<const std::string>(document ? std::move(document->text) : std::string());
    liveAddress_ = document ? std::move(document->address) : std::string();
    ShowAsChosen();
}

void SourceModes::ShowAsChosen() {
    switch (mode_) {
        case SourceMode::AsServed:
            pane_.ShowSource(*served_, servedAddress_);
            break;
        case SourceMode::AsNow:
            if (live_ == LiveText::Read || live_ == LiveText::Missing) {
                pane_.ShowSource(*liveText_, liveAddress_);
            }
            break;
        case SourceMode::Changes:
            if (live_ == LiveText::Read) {
                comparison_ = Comparison::Making;
                changed_();
                Compare();
                return;
            }
            break;
    }
    changed_();
}

void SourceModes::Compare() {
    worker_.Post([this, request = request_, served = served_, live = liveText_,
                  bounds = bounds_]() -> std::function<void()> {
        auto compared = std::make_shared<SourceComparison>(CompareSources(*served, *live, bounds));
        return [this, request, compared] {
            if (request != request_ || mode_ != SourceMode::Changes) {
                return;
            }
            comparison_ = Comparison::Made;
            changes_ = std::move(compared->changes);
            comparisonNote_ = std::move(compared->note);
            pane_.ShowMarkedText(std::move(compared->text), servedAddress_,
                                 std::move(compared->marks));
            changed_();
        };
    });
}

void SourceModes::GoToNextChange() {
    if (mode_ == SourceMode::Changes && comparison_ == Comparison::Made) {
        if (const auto line = changes_.NextFrom(pane_.CaretTextLine())) {
            pane_.GoToTextLine(*line);
        }
    }
}

void SourceModes::GoToPreviousChange() {
    if (mode_ == SourceMode::Changes && comparison_ == Comparison::Made) {
        if (const auto line = changes_.PreviousFrom(pane_.CaretTextLine())) {
            pane_.GoToTextLine(*line);
        }
    }
}

std::string SourceModes::Note() const {
    if (mode_ == SourceMode::AsServed) {
        return {};
    }
    switch (live_) {
        case LiveText::NotRead:
            return {};
        case LiveText::Reading:
            return Translated("Reading the page as it is now\u2026");
        case LiveText::Missing:
            return Translated("There is no page to read as it is now.");
        case LiveText::Read:
            break;
    }
    if (mode_ == SourceMode::AsNow) {
        return {};
    }
    return comparison_ == Comparison::Made ? comparisonNote_ : Translated("Comparing\u2026");
}

}  // namespace quorvane
