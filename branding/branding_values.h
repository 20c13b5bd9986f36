#pragma once

#include <string>

namespace quorvane {

// The product's identity, copied from the version record at start-up. Process-wide,
// written only by LoadBrandingValues and read by the windows for their captions.
struct BrandingValues {
    std::string productName;
    std::string companyName;
    std::string website;  // the version record's Comments
};
extern BrandingValues branding;

// Sets the three values from the version record compiled into the executable.
// Calling it again sets the same values again.
void LoadBrandingValues();

}  // namespace quorvane
