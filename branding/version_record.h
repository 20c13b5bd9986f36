#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// The fields of the product's version record (resources/version-record.ini).
struct VersionRecord {
    std::string ProductName;
    std::string CompanyName;
    std::string Comments;
    std::string FileVersion;
    std::string ProductVersion;
    std::string InternalName;
    std::string OriginalFilename;
    int major = 0;
    int minor = 0;
    int build = 0;
    int revision = 0;
};

// Reads "Key=Value" lines; ';' starts a comment line. Unknown keys are ignored and
// missing ones stay empty (or 0 for the version numbers).
VersionRecord ParseVersionRecord(std::string_view text);

// The record compiled into this executable.
VersionRecord EmbeddedVersionRecord();

}  // namespace quorvane
