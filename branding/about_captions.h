#pragma once

#include <string>

#include "branding/version_record.h"

namespace quorvane {

// The run-time texts of the About window, all from the version record.
struct AboutCaptions {
    std::string caption;      // the window's title
    std::string productName;  // Label1
    std::string version;      // lblVersion: major "." minor
    std::string company;      // lblCompany
    std::string website;      // lblWebsite
};

AboutCaptions MakeAboutCaptions(const VersionRecord& record);

}  // namespace quorvane
