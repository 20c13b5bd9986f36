#include "branding/version_record.h"

#include <charconv>
#include <utility>

namespace quorvane {

extern const std::string_view embeddedVersionRecordText;

namespace {

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// "2.1.0.0" -> the four numbers; a missing or malformed part reads as 0.
void ParseFixedVersion(std::string_view text, VersionRecord& record) {
    int* parts[] = {&record.major, &record.minor, &record.build, &record.revision};
    for (int* part : parts) {
        const auto dot = text.find('.');
        const auto piece = text.substr(0, dot);
        int value = 0;
        std::from_chars(piece.data(), piece.data() + piece.size(), value);
        *part = value;
        if (dot == std::string_view::npos) {
            return;
        }
        text.remove_prefix(dot + 1);
    }
}

void SetField(VersionRecord& record, std::string_view key, std::string_view value) {
    static constexpr std::pair<std::string_view, std::string VersionRecord::*> kTextFields[] = {
        {"ProductName", &VersionRecord::ProductName},
        {"CompanyName", &VersionRecord::CompanyName},
        {"Comments", &VersionRecord::Comments},
        {"FileVersion", &VersionRecord::FileVersion},
        {"ProductVersion", &VersionRecord::ProductVersion},
        {"InternalName", &VersionRecord::InternalName},
        {"OriginalFilename", &VersionRecord::OriginalFilename},
    };
    if (key == "FixedFileVersion") {
        ParseFixedVersion(value, record);
        return;
    }
    for (const auto& [name, field] : kTextFields) {
        if (key == name) {
            record.*field = value;
        }
    }
}

}  // namespace

VersionRecord ParseVersionRecord(std::string_view text) {
    VersionRecord record;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const auto line = Trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        const auto equals = line.find('=');
        if (line.empty() || line.front() == ';' || equals == std::string_view::npos) {
            continue;
        }
        SetField(record, Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)));
    }
    return record;
}

VersionRecord EmbeddedVersionRecord() {
    return ParseVersionRecord(embeddedVersionRecordText);
}

}  // namespace quorvane
