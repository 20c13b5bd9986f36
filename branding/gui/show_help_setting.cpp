#include "branding/gui/show_help_setting.h"

#include <wx/fileconf.h>
#include <wx/log.h>

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "desktop/gui/settings_file.h"
#include "desktop/user_folders.h"

namespace quorvane {

namespace {

constexpr char kKey[] = "/Settings/showHelp";
constexpr char kDefault[] = "1";

std::unique_ptr<wxFileConfig> OpenStore(const std::string& productName,
                                        const std::filesystem::path& file) {
    const std::filesystem::path path = file.empty() ? UserSettingsFile(productName) : file;
    return OpenSettingsFile(path);
}

}  // namespace

std::filesystem::path UserSettingsFile(const std::string& productName) {
    return UserConfigHome() / productName / (productName + ".conf");
}

std::optional<CheckState> CheckStateFromSetting(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    const auto last = text.find_last_not_of(" \t");
    if (first == std::string::npos) {
        return std::nullopt;
    }
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    // A number is converted to the nearest whole one, as the state is a small integer:
    // "1.0" and "+1" tick the box as "1" does.
    if (*begin == '+' && end - begin > 1 && begin[1] != '-') {
        ++begin;
    }
    double number = 0;
    const auto [stop, error] = std::from_chars(begin, end, number);
    if (error != std::errc() || stop != end || !std::isfinite(number)) {
        return std::nullopt;
    }
    const double value = std::nearbyint(number);  // halves go to the even neighbour
    if (value < static_cast<double>(kUnchecked) || value > static_cast<double>(kGrayed)) {
        return std::nullopt;
    }
    return static_cast<CheckState>(static_cast<int>(value));
}

ShowHelpSetting::ShowHelpSetting(std::string productName, std::filesystem::path file)
    : productName_(std::move(productName)), file_(std::move(file)) {}

std::string ShowHelpSetting::Read() const {
    // A damaged settings file must not put a message on screen: the default holds.
    wxLogNull quiet;
    const auto store = OpenStore(productName_, file_);
    return store->Read(kKey, kDefault).utf8_string();
}

bool ShowHelpSetting::Write(const std::string& value) const {
    wxLogNull quiet;
    const auto store = OpenStore(productName_, file_);
    return store->Write(kKey, wxString::FromUTF8(value)) && store->Flush();
}

}  // namespace quorvane
