#include "branding/about_captions.h"

namespace quorvane {

AboutCaptions MakeAboutCaptions(const VersionRecord& record) {
    return {
        .caption = "About " + record.ProductName,
        .productName = record.ProductName,
        .version = std::to_string(record.major) + "." + std::to_string(record.minor),
        .company = record.CompanyName,
        .website = record.Comments,
    };
}

}  // namespace quorvane
