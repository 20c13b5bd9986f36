#pragma once

#include <string>

#include "branding/version_record.h"

namespace quorvane {

// The run-time texts of the About window, all from the version record.
struct AboutCaptions {
    std::string caption;  // the window's title
    std::string productName;
    std::string version;  // major "." minor
    std::string company;
    std::string website;
};

AboutCaptions MakeAboutCaptions(const VersionRecord& record);

}  // namespace quorvane
