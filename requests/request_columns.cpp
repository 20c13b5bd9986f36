#include "requests/request_columns.h"

#include <array>
#include <cmath>

#include "base/ascii.h"
#include "base/text_search.h"
#include "desktop/translation.h"
#include "inspection/row_text_match.h"
#include "inspection/served_source_text.h"

namespace quorvane {
namespace {

constexpr std::array<const char*, kRequestColumns> kNames = {
    "#",
    Translatable("Method"),
    Translatable("Address"),
    Translatable("Status"),
    Translatable("Type"),
    Translatable("Kind"),
    Translatable("Size"),
    Translatable("Decoded"),
    Translatable("Start (ms)"),
    Translatable("First byte (ms)"),
    Translatable("Total (ms)"),
    Translatable("Frame"),
    Translatable("Party"),
};

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

std::string Milliseconds(std::optional<double> from, std::optional<double> to) {
    if (!from || !to) {
        return {};
    }
    return std::to_string(std::llround((*to - *from) * 1000));
}

std::string Bytes(std::optional<std::uint64_t> bytes) {
    return bytes ? GroupedNumber(*bytes) : std::string();
}

std::string StatusCell(const RequestRow& row) {
    if (row.stage == RequestRow::Stage::Failed) {
        return Translated("failed: {1}", {row.failure});
    }
    if (row.status == 0) {
        return row.stage == RequestRow::Stage::Finished ? Translated("done")
                                                        : Translated("waiting");
    }
    std::string text = std::to_string(row.status);
    return row.statusText.empty() ? text : text + " " + row.statusText;
}

}  // namespace

std::string RequestColumnName(RequestColumn column) {
    return Translated(kNames[static_cast<std::size_t>(column)]);
}

std::string RequestKind(const RequestRow& row) {
    const std::string& type = row.mimeType;
    if (row.document) {
        return row.mainDocument ? Translatable("document") : Translatable("frame");
    }
    if (ContainsNoCase(type, "javascript") || ContainsNoCase(type, "ecmascript")) {
        return Translatable("script");
    }
    if (StartsWithNoCase(type, "text/css")) {
        return Translatable("style sheet");
    }
    if (StartsWithNoCase(type, "font/") || ContainsNoCase(type, "font-")) {
        return Translatable("font");
    }
    if (StartsWithNoCase(type, "image/")) {
        return Translatable("image");
    }
    if (StartsWithNoCase(type, "audio/") || StartsWithNoCase(type, "video/")) {
        return Translatable("media");
    }
    return type.empty() ? std::string() : Translatable("other");
}

bool ShowsAsText(const RequestRow& row) {
    return !row.mimeType.empty() && IsTextResource(row.mimeType, {});
}

std::string RequestKindShown(const RequestRow& row) {
    const std::string kind = RequestKind(row);
    return kind.empty() ? kind : Translated(kind.c_str());
}

std::string RequestCell(const RequestLog& log, std::size_t place, RequestColumn column) {
    const RequestRow& row = log.Rows()[place];
    const double pageStart = log.Rows().front().startSeconds;
    switch (column) {
        case RequestColumn::Number:
            return std::to_string(place + 1);
        case RequestColumn::Method:
            return row.method;
        case RequestColumn::Address:
            return row.address;
        case RequestColumn::Status:
            return StatusCell(row);
        case RequestColumn::Type:
            return row.mimeType;
        case RequestColumn::Kind:
            return RequestKindShown(row);
        case RequestColumn::WireBytes:
            return Bytes(row.wireBytes);
        case RequestColumn::DecodedBytes:
            return Bytes(row.decodedBytes);
        case RequestColumn::Start:
            return Milliseconds(pageStart, row.startSeconds);
        case RequestColumn::FirstByte:
            return Milliseconds(row.startSeconds, row.firstByteSeconds);
        case RequestColumn::Total:
            return Milliseconds(row.startSeconds, row.endSeconds);
        case RequestColumn::Frame:
            return row.frame ? log.Rows()[*row.frame].address : std::string();
        case RequestColumn::Party:
            return log.ThirdParty(row) ? Translated("third party") : std::string();
    }
    return {};
}

std::string RequestRowsText(const RequestLog& log, const std::vector<std::size_t>& places) {
    std::string text;
    for (std::size_t column = 0; column < kRequestColumns; ++column) {
        text += (column > 0 ? "\t" : "") + RequestColumnName(static_cast<RequestColumn>(column));
    }
    text += '\n';
    for (const std::size_t place : places) {
        for (std::size_t column = 0; column < kRequestColumns; ++column) {
            text += column > 0 ? "\t" : "";
            text += RequestCell(log, place, static_cast<RequestColumn>(column));
        }
        text += '\n';
    }
    return text;
}

}  // namespace quorvane
