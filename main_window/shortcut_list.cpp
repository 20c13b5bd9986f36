#include "main_window/shortcut_list.h"

#include <algorithm>
#include <ranges>

#include "base/ascii.h"
#include "desktop/translation.h"
#include "main_window/commands.h"
#include "main_window/menu_captions.h"

namespace quorvane {
namespace {

std::vector<std::string> KeysOf(const Command& command) {
    std::vector<std::string> keys;
    if (*command.accelerator) {
        keys.emplace_back(command.accelerator);
    }
    for (const ExtraShortcut& shortcut : ExtraShortcuts()) {
        if (shortcut.id == command.id) {
            keys.emplace_back(shortcut.keys);
        }
    }
    return keys;
}

std::string Lowered(std::string_view text) {
    std::string lowered(text);
    std::ranges::transform(lowered, lowered.begin(), LowerAscii);
    return lowered;
}

// What a query's words are looked for in, one text in lower case.
std::string SearchedText(const ShortcutRow& row) {
    std::string text = row.group + '\n' + row.command;
    for (const std::string& key : row.keys) {
        text += '\n' + key;
    }
    return Lowered(text);
}

// Split by hand: clang's ranges cannot take libstdc++ 12's views::split of a string_view.
std::vector<std::string> WordsOf(std::string_view query) {
    std::vector<std::string> words;
    while (!query.empty()) {
        const std::size_t end = std::min(query.find(' '), query.size());
        if (end > 0) {
            words.push_back(Lowered(query.substr(0, end)));
        }
        query.remove_prefix(std::min(end + 1, query.size()));
    }
    return words;
}

}  // namespace

std::vector<ShortcutRow> ShortcutRows() {
    std::vector<ShortcutRow> withMenu;
    std::vector<ShortcutRow> withoutMenu;
    for (const Command& command : Commands()) {
        std::vector<std::string> keys = KeysOf(command);
        if (keys.empty()) {
            continue;
        }
        ShortcutRow row{
            ShownCaption(Translated(command.menu != nullptr ? command.menu : kOtherGroup)),
            ShownCaption(Translated(command.caption)), std::move(keys)};
        (command.menu != nullptr ? withMenu : withoutMenu).push_back(std::move(row));
    }
    withMenu.insert(withMenu.end(), withoutMenu.begin(), withoutMenu.end());
    return withMenu;
}

std::vector<ShortcutRow> FilterShortcutRows(const std::vector<ShortcutRow>& rows,
                                            std::string_view query) {
    const std::vector<std::string> words = WordsOf(query);
    std::vector<ShortcutRow> kept;
    for (const ShortcutRow& row : rows) {
        const std::string text = SearchedText(row);
        if (std::ranges::all_of(words, [&](const std::string& word) {
                return text.find(word) != std::string::npos;
            })) {
            kept.push_back(row);
        }
    }
    return kept;
}

}  // namespace quorvane
