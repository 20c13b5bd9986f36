#include <gtest/gtest.h>

#include <string>

#include "branding/rtf_reader.h"
#include "main_window/commands.h"

namespace quorvane {
namespace {

std::string PlainText(const RtfDocument& document) {
    std::string text;
    for (const RtfParagraph& paragraph : document.paragraphs) {
        for (const RtfRun& run : paragraph.runs) text += run.text;
        text += '\n';
    }
    return text;
}

std::string WithoutAccessKey(const char* caption) {
    std::string shown;
    for (const char* c = caption; *c != '\0'; ++c) {
        if (*c != '&') shown += *c;
    }
    return shown;
}

// A command the Help does not name is one a user finds only by chance; a new menu item
// comes with its paragraph. The first item of Text Encoding, whose other items the page
// decides, is named by its submenu.
TEST(HelpNamesCommands, EveryMenuItemIsNamedInTheHelp) {
    const auto help = ReadRtfFile(QUORVANE_HELP_FILE);
    ASSERT_TRUE(help.has_value()) << QUORVANE_HELP_FILE;
    const std::string text = PlainText(*help);
    for (const Command& command : Commands()) {
        if (command.menu == nullptr) continue;
        const char* named =
            command.id == CommandId::EncodingInUse ? command.submenu : command.caption;
        EXPECT_NE(text.find(WithoutAccessKey(named)), std::string::npos)
            << WithoutAccessKey(named) << " of " << WithoutAccessKey(command.menu);
    }
}

}  // namespace
}  // namespace quorvane
