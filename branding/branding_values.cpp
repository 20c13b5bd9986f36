#include "branding/branding_values.h"

#include "branding/version_record.h"

namespace quorvane {

std::string strProductName;
std::string strCompanyName;
std::string strWebsite;

void LoadBrandingValues() {
    const VersionRecord record = EmbeddedVersionRecord();
    strProductName = record.ProductName;
    strCompanyName = record.CompanyName;
    strWebsite = record.Comments;
}

}  // namespace quorvane
