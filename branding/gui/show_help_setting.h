#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace quorvane {

// The states of the "Show at Startup" check box, as the setting stores them.
enum CheckState { kUnchecked = 0, kChecked = 1, kGrayed = 2 };

// The check box state a stored "showHelp" text stands for: a decimal number, blanks
// around it allowed, rounded to the nearest whole number, which must be 0, 1 or 2.
// nullopt for any other text, which leaves the box as it is.
std::optional<CheckState> CheckStateFromSetting(const std::string& text);

// The user's own settings file for the product, following the XDG rules:
// $XDG_CONFIG_HOME/<product>/<product>.conf, or ~/.config/... when it is not set.
std::filesystem::path UserSettingsFile(const std::string& productName);

// The user's "showHelp" setting: application name = product name, group "Settings".
// Each call opens the settings store, reads or writes, and closes it again.
class ShowHelpSetting {
  public:
    // file: where the store lives; empty for UserSettingsFile(productName).
    explicit ShowHelpSetting(std::string productName, std::filesystem::path file = {});

    // The stored text, "1" when nothing is stored or the store can't be read.
    std::string Read() const;
    // Stores the text at once; false when it could not be written.
    bool Write(const std::string& value) const;

  private:
    std::string productName_;
    std::filesystem::path file_;
};

}  // namespace quorvane
