#include "image_list/image_list.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <utility>

namespace quorvane {
namespace {

void ApplyFacts(ImageRow& row, const ImageFacts& facts) {
    row.state = facts.state;
    if (facts.state != ImageBytes::Missing) {
        row.bytes = facts.bytes;
        row.type = facts.type;
    }
}

}  // namespace

void ImageList::Clear() {
    frameOrder_.clear();
    frames_.clear();
    rows_.clear();
    rowOf_.clear();
    facts_.clear();
    measured_.clear();
    addressesOf_.clear();
    bytes_ = 0;
    stopped_ = false;
}

std::optional<std::vector<std::size_t>> ImageList::Accept(ImageReport report) {
    if (report.ofSizes) {
        return SetSizes(report);
    }
    auto [place, isNew] = frames_.try_emplace(report.frame);
    Frame& frame = place->second;
    if (isNew) {
        frameOrder_.push_back(report.frame);
        frame.gather = report.gather;
    }
    const std::uint32_t latest = frame.next ? frame.next->gather : frame.gather;
    if (report.gather < latest) {
        return std::vector<std::size_t>();
    }
    frame.top = report.top;
    if (report.gather == frame.gather && !frame.next) {
        stopped_ = stopped_ || report.stopped;
        frame.done = report.done;
        return Add(frame, std::move(report.findings));
    }
    if (TakeNextGathering(frame, report)) {
        Rebuild();
        stopped_ = stopped_ || report.stopped;
        return std::nullopt;
    }
    return std::vector<std::size_t>();
}

std::vector<std::size_t> ImageList::Add(Frame& frame, std::vector<ImageFinding> findings) {
    std::vector<std::size_t> changed;
    for (ImageFinding& finding : findings) {
        const std::optional<std::size_t> row = Merge(finding);
        if (!row) {
            break;
        }
        changed.push_back(*row);
        frame.findings.push_back(std::move(finding));
    }
    return changed;
}

bool ImageList::TakeNextGathering(Frame& frame, ImageReport& report) {
    if (!frame.next || frame.next->gather < report.gather) {
        frame.next = NextGathering{report.gather, {}};
    }
    std::vector<ImageFinding>& next = frame.next->findings;
    // Uses of one address make no rows, but a hostile frame may send any number of them.
    const std::size_t room = kMaxRows * 4 - std::min(next.size(), kMaxRows * 4);
    stopped_ = stopped_ || report.findings.size() > room;
    report.findings.resize(std::min(report.findings.size(), room));
    std::move(report.findings.begin(), report.findings.end(), std::back_inserter(next));
    if (!report.done) {
        return false;
    }
    frame.gather = frame.next->gather;
    frame.findings = std::move(next);
    frame.next.reset();
    frame.done = true;
    return true;
}

bool ImageList::PageMeasuring() const {
    return std::any_of(frames_.begin(), frames_.end(), [](const auto& frame) {
        const Frame& shown = frame.second;
        return shown.top && shown.measured < (shown.next ? shown.next->gather : shown.gather);
    });
}

bool ImageList::PageGathering() const {
    return std::any_of(frames_.begin(), frames_.end(), [](const auto& frame) {
        return frame.second.top && (!frame.second.done || frame.second.next);
    });
}

// A new row starts with what is known of its address already: its facts, its measured size.
std::optional<std::size_t> ImageList::AddRow(const ImageFinding& finding) {
    const std::size_t cost = 2 * finding.address.size() + finding.text.size();
    if (rows_.size() == kMaxRows || bytes_ + cost > kMaxBytes) {
        stopped_ = true;
        return std::nullopt;
    }
    bytes_ += cost;
    ImageRow row;
    row.address = finding.address;
    row.cut = finding.cut;
    if (const auto facts = facts_.find(row.address); facts != facts_.end()) {
        ApplyFacts(row, facts->second);
    }
    if (const auto size = measured_.find(row.address); size != measured_.end()) {
        row.naturalWidth = size->second.width;
        row.naturalHeight = size->second.height;
    }
    rowOf_.emplace(row.address, rows_.size());
    rows_.push_back(std::move(row));
    return rows_.size() - 1;
}

std::optional<std::size_t> ImageList::Merge(const ImageFinding& finding) {
    const auto found = rowOf_.find(finding.address);
    const std::optional<std::size_t> added =
        found == rowOf_.end() ? AddRow(finding) : std::optional<std::size_t>();
    if (found == rowOf_.end() && !added) {
        return std::nullopt;
    }
    const std::size_t place = added ? *added : found->second;
    ImageRow& row = rows_[place];
    row.kinds |= finding.kind;
    ++row.uses;
    if (row.descriptor.empty()) {
        row.descriptor = finding.descriptor;
    }
    if (row.text.empty()) {
        row.text = finding.text;
    }
    row.withoutAlt = row.withoutAlt || finding.withoutAlt;
    row.naturalWidth = std::max(row.naturalWidth, finding.naturalWidth);
    row.naturalHeight = std::max(row.naturalHeight, finding.naturalHeight);
    if (std::uint64_t{finding.shownWidth} * finding.shownHeight >
        std::uint64_t{row.shownWidth} * row.shownHeight) {
        row.shownWidth = finding.shownWidth;
        row.shownHeight = finding.shownHeight;
    }
    if (!finding.group.empty() &&
        std::find(row.groups.begin(), row.groups.end(), finding.group) == row.groups.end()) {
        row.groups.push_back(finding.group);
    }
    return place;
}

std::vector<std::size_t> ImageList::SetSizes(const ImageReport& report) {
    if (const auto frame = frames_.find(report.frame); frame != frames_.end() && report.measured) {
        frame->second.measured = std::max(frame->second.measured, report.gather);
    }
    std::vector<std::size_t> changed;
    for (const MeasuredSize& size : report.sizes) {
        const auto found = rowOf_.find(size.address);
        if (found == rowOf_.end()) {
            continue;
        }
        ImageRow& row = rows_[found->second];
        row.naturalWidth = std::max(row.naturalWidth, size.width);
        row.naturalHeight = std::max(row.naturalHeight, size.height);
        measured_[size.address] = size;
        changed.push_back(found->second);
    }
    return changed;
}

// A frame's new gathering drops its earlier findings, which may have made rows of their
// own or added to the uses of others: the rows are made again from what remains.
void ImageList::Rebuild() {
    rows_.clear();
    rowOf_.clear();
    bytes_ = 0;
    stopped_ = false;
    for (const std::string& name : frameOrder_) {
        Frame& frame = frames_[name];
        for (std::size_t kept = 0; kept < frame.findings.size(); ++kept) {
            if (!Merge(frame.findings[kept])) {
                frame.findings.resize(kept);
                break;
            }
        }
    }
    MarkSameBytes();
}

std::vector<std::size_t> ImageList::SetFacts(const std::string& address, ImageFacts facts) {
    const auto found = rowOf_.find(address);
    if (found == rowOf_.end()) {
        return {};
    }
    std::vector<std::size_t> changed{found->second};
    ApplyFacts(rows_[found->second], facts);
    // An address's bytes are read once; facts that come again add no second address. The
    // addresses before were marked as the second came: a page of thousands of copies of
    // one picture marks each row once.
    if (!facts.digest.empty() && !facts_.contains(address)) {
        std::vector<std::string>& same = addressesOf_[facts.digest];
        same.push_back(address);
        const std::size_t first = same.size() == 2 ? 0 : same.size() - 1;
        for (std::size_t other = first; same.size() > 1 && other < same.size(); ++other) {
            if (const auto otherRow = rowOf_.find(same[other]); otherRow != rowOf_.end()) {
                rows_[otherRow->second].sameBytes = true;
                if (otherRow->second != found->second) {
                    changed.push_back(otherRow->second);
                }
            }
        }
    }
    facts_[address] = std::move(facts);
    return changed;
}

const ImageRow* ImageList::Find(const std::string& address) const {
    const auto found = rowOf_.find(address);
    return found == rowOf_.end() ? nullptr : &rows_[found->second];
}

// The rows of each digest are counted once: counting them again for each row would cost
// a page of thousands of copies of one picture the square of their number.
void ImageList::MarkSameBytes() {
    const auto digestOf = [this](const ImageRow& row) -> const std::string* {
        const auto facts = facts_.find(row.address);
        return facts != facts_.end() && !facts->second.digest.empty() ? &facts->second.digest
                                                                      : nullptr;
    };
    std::unordered_map<std::string_view, std::size_t> rowsOf;
    for (const ImageRow& row : rows_) {
        if (const std::string* digest = digestOf(row)) {
            ++rowsOf[*digest];
        }
    }
    for (ImageRow& row : rows_) {
        if (const std::string* digest = digestOf(row)) {
            row.sameBytes = rowsOf[*digest] > 1;
        }
    }
}

}  // namespace quorvane
