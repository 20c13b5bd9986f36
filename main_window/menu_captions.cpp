#include "main_window/menu_captions.h"

#include <string>

#include "base/ascii.h"
#include "main_window/commands.h"

namespace quorvane {

std::string ShownCaption(std::string_view caption) {
    std::string shown;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) {
            ++i;
        }
        shown += caption[i];
    }
    return shown;
}

std::optional<char> AccessLetter(std::string_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') {
            continue;
        }
        if (caption[i + 1] != '&') {
            return LowerAscii(caption[i + 1]);
        }
        ++i;
    }
    return std::nullopt;
}

namespace {

// An item of a submenu takes no letter of the menu; its submenu's caption does.
std::string LettersTakenBesideTheWebsite() {
    const std::string_view menu = CommandFor(CommandId::Website).menu;
    std::string taken;
    for (const Command& command : Commands()) {
        if (command.menu != nullptr && command.menu == menu && command.id != CommandId::Website) {
            const char* caption = command.submenu != nullptr ? command.submenu : command.caption;
            if (const std::optional<char> letter = AccessLetter(caption)) {
                taken += *letter;
            }
        }
    }
    return taken;
}

}  // namespace

std::string WebsiteMenuCaption(std::string_view website) {
    const std::string taken = LettersTakenBesideTheWebsite();
    std::string caption;
    bool marked = false;
    for (const char c : website) {
        const bool free =
            (IsAsciiLetter(c) || IsAsciiDigit(c)) && taken.find(LowerAscii(c)) == std::string::npos;
        if (free && !marked) {
            caption += '&';
            marked = true;
        }
        caption += c;
        if (c == '&') {
            caption += '&';
        }
    }
    return caption;
}

}  // namespace quorvane
