// "Save Images…" on pages of 1000, 2000 and 4000 data: pictures, without a display: how
// long the run takes and the longest slice of it, during which the window would wait.
// The pictures are one picture again and again (written once, the others skipped as
// duplicates), then as many different pictures (each written to a file of its own).
// Run with
//   build/bin/image_saving_bench
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "saving/image_saving.h"
#include "saving/images_to_save.h"
#include "tests/main_window/fake_browser_element.h"
#include "tests/main_window/fake_surface.h"
#include "tests/support/temp_folder.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

void Measure(int pictures, bool different) {
    quorvane::testing::CallLog log;
    quorvane::testing::FakeSurface surface(log);
    quorvane::testing::FakeBrowserElement element("wb0", log);
    quorvane::TempFolder folder;
    std::vector<std::string> links;
    for (int n = 0; n < pictures; ++n) {
        links.push_back(different ? "data:image/svg+xml,%3Csvg%20id%3D%22" + std::to_string(n) +
                                        "%22%2F%3E"
                                  : "data:image/gif;base64,R0lGODlhAQABAAAAACw=");
    }
    quorvane::ImageSaving saving(surface, element);
    const Clock::time_point start = Clock::now();
    saving.Start(quorvane::ImagesToSave(links), folder.Path());
    Clock::duration longest = Clock::now() - start;
    while (!surface.soon.empty()) {
        const Clock::time_point sliceStart = Clock::now();
        auto step = std::move(surface.soon.front());
        surface.soon.erase(surface.soon.begin());
        step();
        longest = std::max(longest, Clock::now() - sliceStart);
    }
    std::printf("%5d %s data: pictures: %7.1f ms in all, longest slice %6.1f ms (%s)\n", pictures,
                different ? "different" : "same", Milliseconds(Clock::now() - start),
                Milliseconds(longest), surface.statusText.c_str());
}

}  // namespace

int main() {
    for (const bool different : {false, true}) {
        for (const int pictures : {1000, 2000, 4000}) {
            Measure(pictures, different);
        }
    }
}
