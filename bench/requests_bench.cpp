// How the Resources tab's logic keeps up with a page of many requests, without a display:
// 5 000 requests arrive (sent, answered, ended) while the table is filtered, sorted and
// its screen of lines made every 50 requests, as the window does at most every 100 ms;
// the work per request over the first and the last thousand, and the longest step. Then
// the HAR export of 50 000 entries as File > Export Requests… writes it, piece by piece
// into a partial file in a temporary folder, and the same made as one text. Run it as it is:
//   build/bin/requests_bench
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "requests/har_export.h"
#include "requests/request_columns.h"
#include "requests/request_list_table.h"
#include "saving/whole_file.h"

namespace {

using namespace quorvane;
using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

const HttpHeaders kRequestHeaders = {
    {"Accept", "*/*"},
    {"User-Agent", "Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/605.1.15"},
    {"Referer", "https://www.example.com/"}};
const HttpHeaders kResponseHeaders = {{"Content-Type", "image/png"},
                                      {"Content-Length", "12345"},
                                      {"Cache-Control", "max-age=600"},
                                      {"Date", "Fri, 11 Dec 2026 14:00:00 GMT"},
                                      {"Server", "bench"}};

void Request(RequestLog& log, RequestId id, double at) {
    const std::string address =
        (id % 3 == 0 ? "https://cdn.other.net/" : "https://www.example.com/") +
        std::string("assets/file-") + std::to_string(id) + ".png";
    log.Sent({.id = id,
              .method = "GET",
              .address = address,
              .headers = kRequestHeaders,
              .mainDocument = id == 1,
              .atSeconds = at});
    log.Answered({.id = id,
                  .status = id % 50 == 0 ? 404 : 200,
                  .statusText = "OK",
                  .mimeType = "image/png",
                  .contentLength = 12345,
                  .headers = kResponseHeaders,
                  .atSeconds = at + 0.01});
    log.Ended({.id = id, .receivedBytes = 12345, .atSeconds = at + 0.02});
}

// What the window does when it shows the table: the rows filtered and sorted, and the
// cells of a screen of lines.
std::size_t ShowScreen(RequestListTable& table) {
    std::size_t bytes = 0;
    const std::vector<std::size_t>& shown = table.Shown();
    for (std::size_t line = 0; line < std::min<std::size_t>(shown.size(), 30); ++line) {
        for (std::size_t column = 0; column < kRequestColumns; ++column) {
            bytes +=
                RequestCell(table.Log(), shown[line], static_cast<RequestColumn>(column)).size();
        }
    }
    return bytes;
}

void RowsArriving() {
    RequestListTable table;
    table.SetFilter({.text = "file", .status = StatusClass::Success});
    table.SortBy(RequestColumn::Total, false);
    table.Log().PageBegan();
    constexpr int kRequests = 5000;
    double first = 0, last = 0, longest = 0;
    std::size_t drawn = 0;
    for (int id = 1; id <= kRequests; ++id) {
        const Clock::time_point start = Clock::now();
        Request(table.Log(), static_cast<RequestId>(id), 1.765e9 + id * 0.001);
        if (id % 50 == 0) {
            drawn += ShowScreen(table);
        }
        const double spent = MillisecondsSince(start);
        longest = std::max(longest, spent);
        if (id <= 1000) {
            first += spent;
        } else if (id > kRequests - 1000) {
            last += spent;
        }
    }
    std::printf("5 000 requests, filtered, sorted and drawn every 50:\n");
    std::printf("  per request, first 1 000: %.4f ms; last 1 000: %.4f ms\n", first / 1000,
                last / 1000);
    std::printf("  longest step: %.2f ms (%zu bytes of cells drawn; %s)\n", longest, drawn,
                table.CountText().c_str());
}

void Export() {
    RequestLog log;
    log.PageBegan();
    constexpr int kEntries = 50000;
    for (int id = 1; id <= kEntries; ++id) {
        Request(log, static_cast<RequestId>(id), 1.765e9 + id * 0.001);
    }
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "quorvane-requests-bench";
    std::filesystem::create_directories(folder);
    Clock::time_point start = Clock::now();
    const std::filesystem::path file =
        SaveWholeFileInPieces(folder, "bench.har", [&log](const BytePieceWriter& write) {
            WriteRequestsHar({.creatorVersion = "bench"}, log, write);
        });
    const double streamed = MillisecondsSince(start);
    const double fileMegabytes = static_cast<double>(std::filesystem::file_size(file)) / (1 << 20);
    std::filesystem::remove_all(folder);
    start = Clock::now();
    const std::string har = RequestsHar({.creatorVersion = "bench"}, log);
    std::printf("HAR export of %zu entries to a file: %.0f ms, %.1f MB\n", log.Rows().size(),
                streamed, fileMegabytes);
    std::printf("  the same as one text in memory: %.0f ms, %.1f MB\n", MillisecondsSince(start),
                static_cast<double>(har.size()) / (1 << 20));
}

}  // namespace

int main() {
    RowsArriving();
    Export();
}
