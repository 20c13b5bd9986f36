#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/ordered_worker.h"
#include "engine/live_document_reader.h"
#include "source_changes/change_list.h"
#include "source_changes/changes_pane.h"
#include "source_changes/line_changes.h"
#include "source_changes/served_frame_reader.h"
#include "source_changes/source_mode.h"

namespace quorvane {

// The "Original Source" view's switch between the page as served, as it is now, and the
// changes from the one to the other. As the pane the view's follower shows the served text
// in, it keeps that text and shows the pane what the mode asks for. The live document is
// read when a mode that shows it is chosen, when the user asks (ReadLiveAgain) and when a
// new served text comes, never of itself; the comparison runs on a worker of its own.
// Both texts are of the main document or of a frame the user chose (by its address):
// the frame's served text is its own document as the engine holds it. A new served text
// is the main document's, which it shows again.
class SourceModes : public ServedSourcePane {
  public:
    // The live document, as the user sees it.
    enum class LiveText {
        NotRead,  // not asked for since the served text came
        Reading,  // the engine is asked
        Read,
        Missing,  // the engine had none to give
    };
    // The served text of the document chosen: the main document's is always known.
    enum class ServedText {
        Reading,  // a frame's, from the engine
        Read,
        Missing,  // the engine holds no copy of the frame's document
    };
    enum class Comparison {
        NotMade,
        Making,  // the worker compares
        Made,
    };

    // changed runs after the mode or what is said of it (Note) has changed.
    SourceModes(ChangesPane& pane, LiveDocumentReader& reader, ServedFrameReader& frameReader,
                OrderedWorker::ToWindowThread toWindowThread, SourceMode mode,
                std::function<void()> changed, ChangeBounds bounds = {});
    ~SourceModes() override;

    // ServedSourcePane: the served text comes through ShowSource.
    bool Visible() const override { return pane_.Visible(); }
    // The frames are listed again as the view is shown: the page may have made more.
    void SetVisible(bool visible) override;
    void ShowSource(std::string text, std::string pageAddress) override;
    SourceMatches Find(const std::string& what, const SourceFindOptions& options,
                       unsigned maxMatches) override {
        return pane_.Find(what, options, maxMatches);
    }
    void FindNext() override { pane_.FindNext(); }
    void FindPrevious() override { pane_.FindPrevious(); }
    void EndFind() override { pane_.EndFind(); }
    std::size_t CurrentMatch() const override { return pane_.CurrentMatch(); }
    double ZoomLevel() const override { return pane_.ZoomLevel(); }
    void SetZoomLevel(double level) override { pane_.SetZoomLevel(level); }

    void Choose(SourceMode mode);
    void ReadLiveAgain();
    // Shows the texts of the frame whose document is at address, or of the main document
    // for "". An address that is not offered chooses the main document.
    void ChooseFrame(const std::string& address);
    // Shows, as served, the text of another file (a script, a style sheet) of the page at
    // pageAddress, as the engine holds it: offered as one more entry after the frames until
    // another page's text comes, so that the main document is chosen back as a frame is.
    void ChooseResource(const std::string& address, const std::string& pageAddress);
    // The next (previous) change from the caret's line, in the "Changes" mode.
    void GoToNextChange();
    void GoToPreviousChange();

    SourceMode Mode() const { return mode_; }
    LiveText LiveState() const { return live_; }
    ServedText ServedState() const { return servedState_; }
    // The frames offered besides the main document, then the file of the page chosen, if
    // any; and the one chosen ("" for the main).
    const std::vector<std::string>& Frames() const { return frames_; }
    const std::string& ChosenFrame() const { return frame_; }
    Comparison ComparisonState() const { return comparison_; }
    // What the bar above the view says: "Reading the page as it is now…", "14 changes".
    std::string Note() const;

  private:
    void ListFrames();
    void OnFramesListed(unsigned listing, std::vector<std::string> addresses);
    void ReadServedFrame();
    void ShowWhatIsRead();
    void ReadLive();
    void OnLiveRead(unsigned request, std::optional<LiveDocument> document);
    void ShowAsChosen();
    void Compare();
    // What Note says of a file of the page chosen.
    std::string ResourceNote() const;

    ChangesPane& pane_;
    LiveDocumentReader& reader_;
    ServedFrameReader& frameReader_;
    SourceMode mode_;
    std::function<void()> changed_;
    ChangeBounds bounds_;
    std::shared_ptr<const std::string> mainServed_ = std::make_shared<const std::string>();
    std::string mainAddress_;
    std::vector<std::string> frames_;
    std::string frame_;     // "" for the main document
    std::string resource_;  // the file of the page offered after the frames; "" for none
    std::string resourcePage_;  // the page it is a file of
    unsigned listing_ = 0;  // numbers the frame lists, so that an older one is dropped
    // Of the document chosen.
    std::shared_ptr<const std::string> served_ = mainServed_;
    std::string servedAddress_;
    ServedText servedState_ = ServedText::Read;
    std::shared_ptr<const std::string> liveText_ = std::make_shared<const std::string>();
    std::string liveAddress_;
    LiveText live_ = LiveText::NotRead;
    Comparison comparison_ = Comparison::NotMade;
    ChangeList changes_;
    std::string comparisonNote_;
    unsigned request_ = 0;  // numbers the reads and comparisons, so a late answer is dropped
    unsigned servedRead_ = 0;  // numbers the reads of frames' served texts, likewise
    // Gone with this object, so that an engine's answer that comes later finds it gone.
    std::shared_ptr<const int> alive_ = std::make_shared<const int>();
    OrderedWorker worker_;  // last, so that it stops before the rest goes
};

}  // namespace quorvane
