#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quorvane::test {
class HttpTestServer;
class MainWindowDriver;
}  // namespace quorvane::test

namespace quorvane::bench {

// "Enter → Original Source first screen": pages of 1, 5 and 20 MB (the keys "1m", "5m" and
// "20m" of pageKeys) whose 500 pictures each take 2 s to arrive, typed into the address
// box while the Original Source view is shown. Each run measures, from Enter, when the
// Browser view's engine has the page's last byte and when the view first paints the
// page's text, and whether the Browser view was still loading then; beside it, a bare
// WebKit view in a window of its own loads the same page, from its start to its end.
// Prints each run as it ends; gives one line of medians per page, or nothing when a run
// did not end.
std::optional<std::vector<std::string>> MeasureSourceBeforePictures(test::MainWindowDriver& driver,
                                                                    test::HttpTestServer& server,
                                                                    const std::string& pageKeys,
                                                                    int runs);

}  // namespace quorvane::bench
