#include "branding/branding_values.h"

#include "branding/version_record.h"

namespace quorvane {

BrandingValues branding;

void LoadBrandingValues() {
    const VersionRecord record = EmbeddedVersionRecord();
    branding.productName = record.ProductName;
    branding.companyName = record.CompanyName;
    branding.website = record.Comments;
}

}  // namespace quorvane
