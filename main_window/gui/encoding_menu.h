#pragma once

#include <functional>
#include <string>
#include <string_view>

class wxFrame;

namespace quorvane {

// View > Text Encoding: its first item names the encoding the served text is shown in;
// after it, the encodings of EncodingChoices(), each captioned with its language
// ("Cyrillic (windows-1251)"), a separator between languages.
class EncodingMenu {
  public:
    // shown: the encoding the text is shown in now; chosen: the user chose the one named.
    EncodingMenu(wxFrame& frame, std::function<std::string()> shown,
                 std::function<void(std::string_view name)> chosen);
    EncodingMenu(const EncodingMenu&) = delete;
    EncodingMenu& operator=(const EncodingMenu&) = delete;

    // The window number of the item of the choice numbered index.
    static int ChoiceWindowId(std::size_t index);

  private:
    std::function<std::string()> shown_;
    std::function<void(std::string_view)> chosen_;
};

}  // namespace quorvane
