#include "source_changes/source_modes.h"

#include <algorithm>
#include <utility>

#include "desktop/translation.h"
#include "source_changes/page_frames.h"
#include "source_changes/source_comparison.h"

namespace quorvane {

SourceModes::SourceModes(ChangesPane& pane, LiveDocumentReader& reader,
                         ServedFrameReader& frameReader,
                         OrderedWorker::ToWindowThread toWindowThread, SourceMode mode,
                         std::function<void()> changed, ChangeBounds bounds)
    : pane_(pane),
      reader_(reader),
      frameReader_(frameReader),
      mode_(mode),
      changed_(std::move(changed)),
      bounds_(bounds),
      worker_(std::move(toWindowThread)) {}

// A read still running answers into the token it was given, which is gone by then.
SourceModes::~SourceModes() = default;

void SourceModes::SetVisible(bool visible) {
    pane_.SetVisible(visible);
    if (visible && !mainAddress_.empty()) {
        ListFrames();
    }
}

// The file of the page chosen stays chosen while the page is the one it was chosen on: its
// text may come after the user chose the file.
void SourceModes::ShowSource(std::string text, std::string pageAddress) {
    if (pageAddress != mainAddress_) {
        frames_.clear();
    }
    if (pageAddress != resourcePage_) {
        resource_.clear();
    }
    mainServed_ = std::make_shared<const std::string>(std::move(text));
    mainAddress_ = std::move(pageAddress);
    if (!resource_.empty() && std::ranges::find(frames_, resource_) == frames_.end()) {
        frames_.push_back(resource_);
    }
    ChooseFrame(resource_);
    ListFrames();
}

void SourceModes::ChooseResource(const std::string& address, const std::string& pageAddress) {
    resource_ = address;
    resourcePage_ = pageAddress;
    if (std::ranges::find(frames_, address) == frames_.end()) {
        frames_.push_back(address);
    }
    mode_ = SourceMode::AsServed;
    ChooseFrame(address);
}

void SourceModes::ChooseFrame(const std::string& address) {
    frame_ = FrameStillChosen(frames_, address);
    ++servedRead_;
    const bool main = frame_.empty();
    served_ = main ? mainServed_ : std::make_shared<const std::string>();
    servedAddress_ = main ? mainAddress_ : frame_;
    servedState_ = main ? ServedText::Read : ServedText::Reading;
    ShowWhatIsRead();
    if (!main) {
        ReadServedFrame();
    }
}

// The document chosen changed: what was read of the one before no longer stands.
void SourceModes::ShowWhatIsRead() {
    ++request_;
    live_ = LiveText::NotRead;
    comparison_ = Comparison::NotMade;
    if (mode_ == SourceMode::AsServed) {
        ShowAsChosen();
    } else {
        ReadLive();
    }
}

void SourceModes::ReadServedFrame() {
    frameReader_.ReadServedFrame(
        frame_, [this, reading = servedRead_,
                 alive = std::weak_ptr<const int>(alive_)](std::optional<std::string> text) {
            if (alive.expired() || reading != servedRead_) {
                return;
            }
            servedState_ = text ? ServedText::Read : ServedText::Missing;
            served_ = std::make_shared<const std::string>(text ? std::move(*text) : std::string());
            if (mode_ == SourceMode::AsNow) {
                changed_();
            } else {
                ShowAsChosen();
            }
        });
}

void SourceModes::ListFrames() {
    reader_.ListFrames([this, listing = ++listing_, alive = std::weak_ptr<const int>(alive_)](
                           std::vector<std::string> addresses) {
        if (!alive.expired()) {
            OnFramesListed(listing, std::move(addresses));
        }
    });
}

// A frame chosen that is gone (or shows another document now) gives way to the main one.
void SourceModes::OnFramesListed(unsigned listing, std::vector<std::string> addresses) {
    if (listing != listing_) {
        return;
    }
    std::vector<std::string> offered = FramesToChoose(mainAddress_, addresses);
    if (!resource_.empty() && std::ranges::find(offered, resource_) == offered.end()) {
        offered.push_back(resource_);
    }
    if (offered == frames_) {
        return;
    }
    frames_ = std::move(offered);
    if (!frame_.empty() && FrameStillChosen(frames_, frame_).empty()) {
        ChooseFrame({});
        return;
    }
    changed_();
}

void SourceModes::Choose(SourceMode mode) {
    const bool again = mode == mode_;
    mode_ = mode;
    if (mode != SourceMode::AsServed) {
        ReadLive();
    } else if (!again) {
        ShowAsChosen();
    }
    ListFrames();
}

void SourceModes::ReadLiveAgain() {
    if (mode_ != SourceMode::AsServed) {
        ReadLive();
        ListFrames();
    }
}

void SourceModes::ReadLive() {
    const unsigned request = ++request_;
    live_ = LiveText::Reading;
    comparison_ = Comparison::NotMade;
    worker_.DropWaiting();
    reader_.ReadLiveDocument(frame_, [this, request, alive = std::weak_ptr<const int>(alive_)](
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
            if (servedState_ != ServedText::Reading) {
                pane_.ShowSource(*served_, servedAddress_);
            }
            break;
        case SourceMode::AsNow:
            if (live_ == LiveText::Read || live_ == LiveText::Missing) {
                pane_.ShowSource(*liveText_, liveAddress_);
            }
            break;
        case SourceMode::Changes:
            if (live_ == LiveText::Read && servedState_ == ServedText::Read) {
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

std::string SourceModes::ResourceNote() const {
    switch (servedState_) {
        case ServedText::Reading:
            return Translated("Reading the file as served\u2026");
        case ServedText::Missing:
            return Translated("The browser holds no copy of {1}; nothing is fetched again.",
                              {frame_});
        case ServedText::Read:
            break;
    }
    return Translated(
        "The text of {1}, a file of the page, as served; \u201cMain document\u201d above shows "
        "the page\u2019s own.",
        {frame_});
}

std::string SourceModes::Note() const {
    if (mode_ == SourceMode::AsServed && !frame_.empty() && frame_ == resource_) {
        return ResourceNote();
    }
    if (mode_ != SourceMode::AsNow && servedState_ == ServedText::Reading) {
        return Translated("Reading the frame as served\u2026");
    }
    if (mode_ != SourceMode::AsNow && servedState_ == ServedText::Missing) {
        return Translated("The browser holds no copy of this frame as served.");
    }
    if (mode_ == SourceMode::AsServed) {
        return {};
    }
    switch (live_) {
        case LiveText::NotRead:
            return {};
        case LiveText::Reading:
            return Translated("Reading the page as it is now\u2026");
        case LiveText::Missing:
            return frame_.empty() ? Translated("There is no page to read as it is now.")
                                  : Translated("This frame cannot be read as it is now.");
        case LiveText::Read:
            break;
    }
    if (mode_ == SourceMode::AsNow) {
        return {};
    }
    return comparison_ == Comparison::Made ? comparisonNote_ : Translated("Comparing\u2026");
}

}  // namespace quorvane
