#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "image_list/image_finding.h"

namespace quorvane {

// What became of an image's bytes. Unknown covers bytes still coming and bytes never
// asked for (a cut address, one that may not be fetched): neither says the image is broken.
enum class ImageBytes { Unknown, Picture, NotPicture, Missing };

// One row of the Image List: every use of one address, merged.
struct ImageRow {
    std::string address;
    ImageKinds kinds = 0;
    std::string descriptor;  // of its first use as a srcset candidate
    std::uint32_t naturalWidth = 0;
    std::uint32_t naturalHeight = 0;
    std::uint32_t shownWidth = 0;  // its largest use on screen
    std::uint32_t shownHeight = 0;
    std::optional<std::uint64_t> bytes;  // once known
    std::string type;                    // "image/png", once known
    std::string text;                    // the first alt or title
    std::uint32_t uses = 0;
    std::vector<std::string> groups;  // the srcsets it is a candidate of
    bool cut = false;                 // the address is not whole
    bool sameBytes = false;           // another address gives the same bytes
    bool withoutAlt = false;          // an <img> of it has no alt attribute
    ImageBytes state = ImageBytes::Unknown;
};

// What is known of an image's file once it has been read.
struct ImageFacts {
    std::uint64_t bytes = 0;
    std::string type{};
    std::string digest{};  // of the bytes, to find two addresses that give the same
    // Picture when the bytes are of a type known here; Missing when they never came, and
    // then bytes, type and digest are empty.
    ImageBytes state = ImageBytes::Picture;
};

// The natural size of an image that no <img> shows, which the gatherer learns by loading
// it once, after it has reported the image itself.
struct MeasuredSize {
    std::string address;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    bool operator==(const MeasuredSize&) const = default;
};

// A report of the gatherer: the findings of one slice of one gathering in one frame, or
// the sizes it has measured since. Each frame gathers on its own; a later gathering of a
// frame replaces its earlier one.
struct ImageReport {
    std::string frame;         // the frame's own name for itself
    std::uint32_t gather = 0;  // counts the frame's gatherings
    std::vector<ImageFinding> findings;
    bool stopped = false;  // the frame named more images than the gatherer sends
    bool done = false;     // the last report of its gathering
    bool top = false;      // the frame is the page's own document
    // A report of sizes has no findings; a size holds for its address in every frame and
    // every later gathering of the page.
    bool ofSizes = false;
    std::vector<MeasuredSize> sizes{};
    bool measured = false;  // of sizes: its gathering measures no image any more
};

// The images the Browser view's page shows or names, one row per address, in the order
// they were first found. A page may name any number of images at any length: the list
// stops at kMaxRows rows or kMaxBytes bytes of addresses and texts, and says so.
class ImageList {
  public:
    static constexpr std::size_t kMaxRows = 50000;
    static constexpr std::size_t kMaxBytes = 256 * 1024 * 1024;

    void Clear();
    // Adds the report's findings. A frame's later gathering replaces its earlier one once
    // it has sent its last report; a report of an earlier gathering than the frame's last
    // is dropped. Returns the places of the rows it made or added to, nullopt when it
    // made every row again. A report of sizes sets the natural size of the rows it names,
    // and returns their places.
    std::optional<std::vector<std::size_t>> Accept(ImageReport report);
    // The facts of the file at address, a row of the list; kept for the page's later
    // gatherings too. Returns the places of the rows whose cells changed: address's, and
    // those now marked as giving the same bytes.
    std::vector<std::size_t> SetFacts(const std::string& address, ImageFacts facts);
    // The row of address; nullptr when the list has none.
    const ImageRow* Find(const std::string& address) const;

    const std::vector<ImageRow>& Rows() const { return rows_; }
    // Whether findings were left out for the bounds.
    bool Stopped() const { return stopped_; }
    // Whether the page's own document is still measuring images that no <img> shows: its
    // latest gathering has not said it measures none any more.
    bool PageMeasuring() const;
    // Whether the page's own document is still gathering: its latest gathering has not
    // sent its last report. A frame within it is not waited for, as it may stop midway for good
    // (removed, or gone to another page).
    bool PageGathering() const;

  private:
    // A gathering of a frame still sending. The first of a frame shows its rows as they
    // come; a later one takes the place of the rows before only once it has sent its last
    // report, so that the list never shrinks back while it is made again.
    struct NextGathering {
        std::uint32_t gather = 0;
        std::vector<ImageFinding> findings;
    };
    struct Frame {
        std::uint32_t gather = 0;  // of the findings shown
        std::vector<ImageFinding> findings;
        std::optional<NextGathering> next;
        bool top = false;
        bool done = false;
        std::uint32_t measured = 0;  // the latest gathering that measures nothing more
    };

    // Merges one finding into its row, making the row when new; the row's place, or
    // nullopt at a bound.
    std::optional<std::size_t> Merge(const ImageFinding& finding);
    // nullopt once the list is full: the row is not added.
    std::optional<std::size_t> AddRow(const ImageFinding& finding);
    std::vector<std::size_t> Add(Frame& frame, std::vector<ImageFinding> findings);
    // Whether the report ended frame's next gathering, whose findings now are the frame's.
    bool TakeNextGathering(Frame& frame, ImageReport& report);
    std::vector<std::size_t> SetSizes(const ImageReport& report);
    void Rebuild();
    void MarkSameBytes();

    std::vector<std::string> frameOrder_;
    std::map<std::string, Frame> frames_;
    std::vector<ImageRow> rows_;
    std::unordered_map<std::string, std::size_t> rowOf_;
    std::unordered_map<std::string, ImageFacts> facts_;
    // Kept only for addresses with a row, so it is bounded as the rows are.
    std::unordered_map<std::string, MeasuredSize> measured_;
    std::unordered_map<std::string, std::vector<std::string>> addressesOf_;  // by digest
    std::size_t bytes_ = 0;
    bool stopped_ = false;
};

}  // namespace quorvane
