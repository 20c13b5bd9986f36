#include "main_window/status_panel.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane {
namespace {

// Each row: what happens, one step a letter; then what panel 1 says, and how many times a
// screen reader was given a text to say. M the program's message "saved", 0/1/2 the
// engine of that view says "Done", o the Browser view says "Opening", h it says "" (the
// pointer left a link), u a command of the user.
TEST(StatusPanel, AMessageLastsUntilTheUserActsOrTheBrowserViewSaysSomethingNew) {
    struct Row {
        const char* steps;
        const char* shown;
        int said;
    } rows[] = {
        {"0", "Done", 0},      {"M", "saved", 1},    {"M0", "saved", 1},  {"M12", "saved", 1},
        {"Mh", "saved", 1},    {"Mo", "Opening", 1}, {"Mo0", "Done", 1},  {"Mu1", "Done", 1},
        {"M1o", "Opening", 1}, {"oM", "saved", 1},   {"MM1", "saved", 2}, {"Mu0h", "", 1},
        {"o1h2", "Done", 0},
    };
    for (const auto& row : rows) {
        std::string shown;
        int said = 0;
        StatusPanel panel([&](const std::string& text) { shown = text; },
                          [&](const std::string& text) {
                              shown = text;
                              EXPECT_EQ(text, "saved");
                              ++said;
                          });
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
        EXPECT_EQ(panel.Shown(), row.shown) << row.steps;
        EXPECT_EQ(said, row.said) << row.steps;
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
        const auto show = [&](const std::string& text) { shown = text; };
        StatusPanel panel(show, show);
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
