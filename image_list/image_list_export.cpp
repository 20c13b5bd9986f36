#include "image_list/image_list_export.h"

#include <ctime>

#include <nlohmann/json.hpp>

#include "base/ascii.h"
#include "image_list/image_audit.h"

namespace quorvane {
namespace {

constexpr const char* kCsvHeader =
    "page,time,address,kinds,descriptor,natural width,natural height,shown width,shown height,"
    "bytes,type,alt or title,uses,same bytes as another,address cut,broken,oversized,"
    "bytes saved at shown size,without alt\r\n";

void AppendCell(std::string& line, std::string_view cell) {
    line += '"';
    if (!cell.empty() &&
        std::string_view("=+-@\t\r").find(cell.front()) != std::string_view::npos) {
        line += '\'';
    }
    for (const char c : cell) {
        line += c;
        if (c == '"') {
            line += '"';
        }
    }
    line += "\",";
}

void AppendNumber(std::string& line, std::uint64_t number) {
    line += std::to_string(number);
    line += ',';
}

void AppendRow(std::string& csv, const ImageListHeading& heading, const ImageRow& row) {
    AppendCell(csv, heading.pageAddress);
    AppendCell(csv, heading.time);
    AppendCell(csv, row.address);
    AppendCell(csv, KindNames(row.kinds));
    AppendCell(csv, row.descriptor);
    AppendNumber(csv, row.naturalWidth);
    AppendNumber(csv, row.naturalHeight);
    AppendNumber(csv, row.shownWidth);
    AppendNumber(csv, row.shownHeight);
    if (row.bytes) {
        AppendNumber(csv, *row.bytes);
    } else {
        csv += ',';
    }
    AppendCell(csv, row.type);
    AppendCell(csv, row.text);
    AppendNumber(csv, row.uses);
    const auto yesNo = [&csv](bool yes) { csv += yes ? "yes," : "no,"; };
    yesNo(row.sameBytes);
    yesNo(row.cut);
    yesNo(IsBroken(row));
    yesNo(IsOversized(row, heading.screenScale));
    if (const std::optional<std::uint64_t> saving = OversizedSaving(row, heading.screenScale)) {
        AppendNumber(csv, *saving);
    } else {
        csv += ',';
    }
    csv += IsWithoutAlt(row) ? "yes" : "no";
    csv += "\r\n";
}

nlohmann::json RowJson(const ImageRow& row, double screenScale) {
    nlohmann::json kinds = nlohmann::json::array();
    for (ImageKinds bit = 1; bit != 0; bit = static_cast<ImageKinds>(bit << 1)) {
        if ((row.kinds & bit) != 0) {
            kinds.push_back(KindNames(bit));
        }
    }
    const std::optional<std::uint64_t> saving = OversizedSaving(row, screenScale);
    return {{"address", row.address},
            {"kinds", std::move(kinds)},
            {"descriptor", row.descriptor},
            {"naturalWidth", row.naturalWidth},
            {"naturalHeight", row.naturalHeight},
            {"shownWidth", row.shownWidth},
            {"shownHeight", row.shownHeight},
            {"bytes", row.bytes ? nlohmann::json(*row.bytes) : nlohmann::json()},
            {"type", row.type},
            {"text", row.text},
            {"uses", row.uses},
            {"sameBytes", row.sameBytes},
            {"cut", row.cut},
            {"broken", IsBroken(row)},
            {"oversized", IsOversized(row, screenScale)},
            {"oversizedSaving", saving ? nlohmann::json(*saving) : nlohmann::json()},
            {"withoutAlt", IsWithoutAlt(row)}};
}

}  // namespace

std::string ImageListCsv(const ImageListHeading& heading, const std::vector<ImageRow>& rows) {
    std::string csv = kCsvHeader;
    for (const ImageRow& row : rows) {
        AppendRow(csv, heading, row);
    }
    return csv;
}

std::string ImageListJson(const ImageListHeading& heading, const std::vector<ImageRow>& rows) {
    nlohmann::json images = nlohmann::json::array();
    for (const ImageRow& row : rows) {
        images.push_back(RowJson(row, heading.screenScale));
    }
    const nlohmann::json root = {{"page", heading.pageAddress},
                                 {"time", heading.time},
                                 {"stopped", heading.stopped},
                                 {"images", std::move(images)}};
    return root.dump(1, '\t', false, nlohmann::json::error_handler_t::replace) + "\n";
}

bool IsJsonFileName(std::string_view fileName) {
    return fileName.size() >= 5 && EqualsNoCase(fileName.substr(fileName.size() - 5), ".json");
}

std::string ExportTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    ::gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

}  // namespace quorvane
