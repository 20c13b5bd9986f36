#include "image_list/image_report.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdint>
#include <string>

namespace quorvane {
namespace {

using Json = nlohmann::json;

constexpr std::size_t kMaxShortFieldBytes = 64;
constexpr std::uint32_t kMaxSize = 1000000;

// text cut to at most max bytes, never inside a UTF-8 character.
std::string Cut(const std::string& text, std::size_t max) {
    if (text.size() <= max) {
        return text;
    }
    std::size_t end = max;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    return text.substr(0, end);
}

std::string StringField(const Json& object, const char* name, std::size_t max) {
    const auto field = object.find(name);
    return field != object.end() && field->is_string()
               ? Cut(field->get_ref<const std::string&>(), max)
               : std::string();
}

std::uint32_t SizeValue(const Json& value) {
    if (!value.is_number()) {
        return 0;
    }
    const double number = value.get<double>();
    return number >= 0 && number <= kMaxSize ? static_cast<std::uint32_t>(number) : 0;
}

std::uint32_t SizeField(const Json& object, const char* name) {
    const auto field = object.find(name);
    return field == object.end() ? 0 : SizeValue(*field);
}

bool FlagField(const Json& object, const char* name) {
    const auto field = object.find(name);
    return field != object.end() && field->is_boolean() && field->get<bool>();
}

std::optional<ImageFinding> ReadFinding(const Json& item) {
    if (!item.is_object()) {
        return std::nullopt;
    }
    ImageFinding finding;
    finding.kind = KindByName(StringField(item, "k", kMaxShortFieldBytes));
    const auto address = item.find("a");
    if (finding.kind == 0 || address == item.end() || !address->is_string() ||
        address->get_ref<const std::string&>().empty()) {
        return std::nullopt;
    }
    const std::string& whole = address->get_ref<const std::string&>();
    finding.address = Cut(whole, kMaxImageAddressBytes);
    finding.cut = finding.address.size() < whole.size() || FlagField(item, "cut");
    finding.descriptor = StringField(item, "d", kMaxShortFieldBytes);
    finding.group = StringField(item, "g", kMaxShortFieldBytes);
    finding.text = StringField(item, "t", kMaxImageTextBytes);
    finding.withoutAlt = finding.kind == KindBit(ImageKind::Img) && FlagField(item, "na");
    finding.naturalWidth = SizeField(item, "nw");
    finding.naturalHeight = SizeField(item, "nh");
    finding.shownWidth = SizeField(item, "sw");
    finding.shownHeight = SizeField(item, "sh");
    return finding;
}

// A size is [address, width, height]; any other shape names none.
std::optional<MeasuredSize> ReadSize(const Json& item) {
    if (!item.is_array() || item.size() != 3 || !item[0].is_string() ||
        item[0].get_ref<const std::string&>().empty()) {
        return std::nullopt;
    }
    return MeasuredSize{Cut(item[0].get_ref<const std::string&>(), kMaxImageAddressBytes),
                        SizeValue(item[1]), SizeValue(item[2])};
}

void ReadSizes(const Json& sizes, ImageReport& report) {
    for (const Json& item : sizes) {
        if (report.sizes.size() == kMaxFindingsPerReport) {
            break;
        }
        if (std::optional<MeasuredSize> size = ReadSize(item)) {
            report.sizes.push_back(std::move(*size));
        }
    }
}

}  // namespace

std::optional<ImageReport> ParseImageReport(std::string_view json) {
    if (json.size() > kMaxImageReportBytes) {
        return std::nullopt;
    }
    const Json root = Json::parse(json, nullptr, false);
    if (!root.is_object()) {
        return std::nullopt;
    }
    ImageReport report;
    report.frame = StringField(root, "frame", kMaxShortFieldBytes);
    const auto gather = root.find("gather");
    if (gather != root.end() && gather->is_number_unsigned()) {
        report.gather = static_cast<std::uint32_t>(
            std::min<std::uint64_t>(gather->get<std::uint64_t>(), UINT32_MAX));
    }
    report.top = FlagField(root, "top");
    report.stopped = FlagField(root, "stopped");
    report.done = FlagField(root, "done");
    if (const auto sizes = root.find("sizes"); sizes != root.end() && sizes->is_array()) {
        report.ofSizes = true;
        report.measured = FlagField(root, "measured");
        ReadSizes(*sizes, report);
        return report;
    }
    const auto items = root.find("items");
    if (items == root.end() || !items->is_array()) {
        return report;
    }
    for (const Json& item : *items) {
        if (report.findings.size() == kMaxFindingsPerReport) {
            break;
        }
        if (std::optional<ImageFinding> finding = ReadFinding(item)) {
            report.findings.push_back(std::move(*finding));
        }
    }
    return report;
}

}  // namespace quorvane
