// Arbitrary bytes as page text and page address: the analysis must never crash, hang
// or read out of bounds, and the fast linker must agree with one pass per entry.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "analysis/file_name_linker.h"
#include "analysis/page_analysis.h"

namespace {

const std::string& Folder() {
    static const std::string folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "qfuzz-XXXXXX").string();
        return std::string(::mkdtemp(pattern.data()));
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    // The first line is the page address, the rest the page.
    const std::size_t split = input.find('\n');
    const std::string address = split == std::string::npos ? input : input.substr(0, split);
    const std::string body = split == std::string::npos ? std::string() : input.substr(split + 1);
    quorvane::AnalysisLists lists;
    quorvane::AnalysePageText(Folder(), body, address, lists);
    const std::vector<quorvane::LinkPass> passes = quorvane::LinkPasses(lists);
    const std::string escaped = quorvane::EscapeSourceText(body);
    // With the page's own largest size, so that a page built to multiply its text
    // stops early in both instead of taking the pass-by-pass linker gigabytes.
    const std::size_t maxSize = quorvane::MaxSourcePageSize(escaped.size());
    const quorvane::LinkedText fast = quorvane::LinkFileNames(escaped, passes, maxSize);
    const quorvane::LinkedText reference =
        quorvane::LinkFileNamesPassByPass(escaped, passes, maxSize);
    if (fast.text != reference.text || fast.passesRun != reference.passesRun) {
        std::abort();
    }
    return 0;
}
