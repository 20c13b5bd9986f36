#include "main_window/status_panel.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane {
namespace {

// Each row: what happens, one step a letter; then what panel 1 says. M the program's
// message "saved", 0/1/2 the engine of that view says "Done", o the Browser view says
// "Opening", h it says "" (the pointer left a link), u a command of the user.
TEST(StatusPanel, AMessageLastsUntilTheUserActsOrTheBrowserViewSaysSomethingNew) {
    struct Row {
        const char* steps;
        const char* shown;
    } rows[] = {
        {"0", "Done"},      {"M", "saved"},    {"M0", "saved"},  {"M12", "saved"},
        {"Mh", "saved"},    {"Mo", "Opening"}, {"Mo0", "Done"},  {"Mu1", "Done"},
        {"M1o", "Opening"}, {"oM", "saved"},   {"MM1", "saved"}, {"Mu0h", ""},
    };
    for (const auto& row : rows) {
        std::string shown;
        StatusPanel panel([&](const std::string& text) { shown = text; });
        for (const char* step = row.steps; *step != '\0'; ++step) {
            switch (*step) {
                case 'M':
                    panel.Message("saved");
                    break;
                case 'o':
                    panel.EngineText(0, "Opening");
                    break;
                case 'h':
                    panel.EngineText(0, "");
                    break;
                case 'u':
                    panel.UserAction();
                    break;
                default:
                    panel.EngineText(*step - '0', "Done");
                    break;
            }
        }
        EXPECT_EQ(shown, row.shown) << row.steps;
    }
}

// N the note "loading" while the Browser view loads, E its end; M, o, 0, 1 and u as above.
// The note holds as a message does, and its end gives the panel back to the engines.
TEST(StatusPanel, ANoteGoesAtTheLoadsEndUnlessSomethingTookItsPlace) {
    struct Row {
        const char* steps;
        const char* shown;
    } rows[] = {
        {"oN", "loading"}, {"oN0", "loading"}, {"oN0E", "Done"}, {"oNE", "Opening"},
        {"N1E", "Done"},   {"NE", ""},         {"NME", "saved"}, {"NoE", "Opening"},
        {"Nu1E", "Done"},  {"oE", "Opening"},  {"ME", "saved"},  {"NEME", "saved"},
    };
    for (const auto& row : rows) {
        std::string shown;
        StatusPanel panel([&](const std::string& text) { shown = text; });
        for (const char* step = row.steps; *step != '\0'; ++step) {
            switch (*step) {
                case 'N':
                    panel.Note("loading");
                    break;
                case 'E':
                    panel.EndNote();
                    break;
                case 'M':
                    panel.Message("saved");
                    break;
                case 'o':
                    panel.EngineText(0, "Opening");
                    break;
                case 'u':
                    panel.UserAction();
                    break;
                default:
                    panel.EngineText(*step - '0', "Done");
                    break;
            }
        }
        EXPECT_EQ(shown, row.shown) << row.steps;
    }
}

}  // namespace
}  // namespace quorvane
