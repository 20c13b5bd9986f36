// Arbitrary bytes as page text and page address: the analysis must never crash, hang,
// read out of bounds or throw, and the fast linkers must agree with one pass per entry.
// The pipeline runs as the program runs it but on work files in memory, and without
// the program's guard against faults, so that one shows here.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "analysis/image_scanners.h"
#include "analysis/page_analysis.h"
#include "analysis/source_view.h"
#include "tests/support/line_by_line_scanner.h"
#include "tests/support/memory_work_files.h"
#include "tests/support/pass_by_pass_linker.h"

namespace {

// Both scanners agree with the reference, up to a limit the page can reach.
bool ScansAgree(const std::string& body, const std::string& address) {
    for (const quorvane::TagScanRules* rules :
         {&quorvane::ImageTagRules(), &quorvane::ImageLinkRules()}) {
        const quorvane::TagScan fast = quorvane::ScanTagLines(body, address, *rules, body.size());
        const quorvane::TagScan reference =
            quorvane::ScanTagLinesLineByLine(body, address, *rules, body.size());
        if (fast.tagLines != reference.tagLines || fast.keptLines != reference.keptLines ||
            fast.links != reference.links || fast.names != reference.names) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    // The first line is the page address, the rest the page.
    const std::size_t split = input.find('\n');
    const std::string address = split == std::string::npos ? input : input.substr(0, split);
    const std::string body = split == std::string::npos ? std::string() : input.substr(split + 1);
    if (!ScansAgree(body, address)) {
        std::abort();
    }
    quorvane::MemoryWorkFiles files;
    quorvane::AnalysisLists lists;
    quorvane::AnalysePageText(files, body, address, lists);
    const std::vector<quorvane::LinkPass> passes = quorvane::LinkPasses(lists);
    const std::string escaped = quorvane::EscapeSourceText(body);
    // A few times the page, far below the program's own largest size: the linkers must
    // agree for any size, and a page built to multiply its text then stops early in
    // both instead of costing the pass-by-pass reference most of the run.
    const std::size_t maxSize = 4 * escaped.size() + 4096;
    const quorvane::LinkedText fast = quorvane::LinkFileNames(escaped, passes, maxSize);
    const quorvane::LinkedText reference =
        quorvane::LinkFileNamesPassByPass(escaped, passes, maxSize);
    if (fast.text != reference.text || fast.passesRun != reference.passesRun) {
        std::abort();
    }
    // The source view finds plain names in the page itself and escapes it as it writes.
    const quorvane::LinkedText source = quorvane::LinkedSourceText(body, passes, maxSize);
    if (source.text != reference.text || source.passesRun != reference.passesRun) {
        std::abort();
    }
    return 0;
}
