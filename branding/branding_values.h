#pragma once

#include <string>

namespace quorvane {

// The product's identity, copied from the version record at start-up. Process-wide,
// written only by LoadBrandingValues and read by the windows for their captions.
extern std::string strProductName;
extern std::string strCompanyName;
extern std::string strWebsite;

// Sets the three values from the version record compiled into the executable.
// Calling it again sets the same values again.
void LoadBrandingValues();

}  // namespace quorvane
