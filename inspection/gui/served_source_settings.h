#pragma once

#include <filesystem>

namespace quorvane {

// How the "Original Source" view shows its text, remembered across runs.
struct ServedSourceLook {
    bool coloured = true;
    bool wrapped = false;
    // The main document's status and headers beside the text.
    bool headersShown = false;
    bool operator==(const ServedSourceLook&) const = default;
};

// The look, in the user's settings file (group "Source"). Each call opens the store,
// reads or writes, and closes it again; a store that cannot be read gives the defaults.
class ServedSourceSettings {
  public:
    explicit ServedSourceSettings(std::filesystem::path file);
    ServedSourceLook Read() const;
    bool Write(const ServedSourceLook& look) const;

  private:
    std::filesystem::path file_;
};

}  // namespace quorvane
