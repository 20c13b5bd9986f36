// The whole page analysis on generated pages: run with
//   build-analysis/bin/page_analysis_bench
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "analysis/image_page.h"
#include "analysis/image_scanners.h"
#include "analysis/page_analysis.h"
#include "analysis/source_view.h"
#include "analysis/work_file_writer.h"
#include "analysis/work_files.h"
#include "bench/generated_page.h"
#include "tests/support/pass_by_pass_linker.h"

namespace {

using quorvane::bench::GeneratedBody;

class Folder {
  public:
    Folder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "qbench-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~Folder() { std::filesystem::remove_all(path_); }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

void BM_AnalysePage(benchmark::State& state, std::string lineBreak, std::string tail) {
    const std::string body = GeneratedBody(static_cast<std::size_t>(state.range(0)),
                                           static_cast<int>(state.range(1)), lineBreak) +
                             tail;
    Folder folder;
    quorvane::AnalysisLists lists;
    for (auto _ : state) {
        quorvane::AnalysePageText(folder.Path(), body, "http://host/dir/page.html", lists);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * body.size()));
}

// The floor under any analysis of the same page: the page read (copied), each of its
// bytes looked at once on the way to an escaped copy, and the work files an analysis
// writes written in its order, the page and the escaped copy in place of the two large
// ones and the others empty. The analysis is measured against this.
void BM_ReadScanWriteFloor(benchmark::State& state) {
    const std::string body =
        GeneratedBody(static_cast<std::size_t>(state.range(0)), static_cast<int>(state.range(1)));
    Folder folder;
    quorvane::WorkFileWriter files(folder.Path());
    for (auto _ : state) {
        const std::string page = body;
        std::string escaped;
        escaped.reserve(page.size() + page.size() / 8);
        for (const char c : page) {
            if (c == '<') {
                escaped.append("&lt;");
            } else {
                escaped.push_back(c);
            }
        }
        files.Write(quorvane::kCheckImagesFile, page);
        for (const std::string_view name :
             {quorvane::kCheckImagesCleanFile, quorvane::kCheckImagesCleanFile,
              quorvane::kImagePageFile}) {
            files.Write(name, "");
        }
        files.Write(quorvane::kSourceFile, escaped);
        quorvane::ResetWorkFiles(files);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * body.size()));
}

// The same floor writing the very bytes the analysis writes, made before the timing: how
// much of the analysis's time its required output takes, and how much is its computing.
void BM_ReadScanWriteOutputFloor(benchmark::State& state) {
    const std::string body =
        GeneratedBody(static_cast<std::size_t>(state.range(0)), static_cast<int>(state.range(1)));
    const std::string address = "http://host/dir/page.html";
    const quorvane::TagScan tags = quorvane::ScanImageTags(body, address, quorvane::kMaxListBytes);
    const quorvane::TagScan links =
        quorvane::ScanImageLinks(body, address, quorvane::kMaxListBytes);
    Folder folder;
    quorvane::AnalysisLists lists;
    quorvane::AnalysePageText(folder.Path(), body, address, lists);
    const std::string imagePage = quorvane::ImagePageText(lists.imageTags.addresses).text;
    const std::string sourcePage = quorvane::SourceViewText(body, lists).text;
    quorvane::WorkFileWriter files(folder.Path());
    for (auto _ : state) {
        const std::string page = body;
        std::size_t lessThans = 0;  // the floor's look at each byte, without its copy
        for (const char c : page) {
            lessThans += c == '<' ? 1 : 0;
        }
        benchmark::DoNotOptimize(lessThans);
        files.Write(quorvane::kCheckImagesFile, page);
        for (const std::string* text :
             {&tags.tagLines, &tags.keptLines, &links.tagLines, &links.keptLines}) {
            files.Write(quorvane::kCheckImagesCleanFile, *text);
        }
        files.Write(quorvane::kImagePageFile, imagePage);
        files.Write(quorvane::kSourceFile, sourcePage);
        quorvane::ResetWorkFiles(files);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * body.size()));
}

// The source view's linking alone, one whole-text pass per entry (as before) against
// the multi-pattern linker, on the lists the scanners find in the same page.
void BM_Linking(benchmark::State& state, bool passByPass) {
    const std::string body =
        GeneratedBody(static_cast<std::size_t>(state.range(0)), static_cast<int>(state.range(1)));
    Folder folder;
    quorvane::AnalysisLists lists;
    quorvane::AnalysePageText(folder.Path(), body, "http://host/dir/page.html", lists);
    const std::string escaped = quorvane::EscapeSourceText(body);
    const std::vector<quorvane::LinkPass> passes = quorvane::LinkPasses(lists);
    for (auto _ : state) {
        benchmark::DoNotOptimize(passByPass ? quorvane::LinkFileNamesPassByPass(escaped, passes)
                                            : quorvane::LinkFileNames(escaped, passes, SIZE_MAX));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * body.size()));
}

constexpr int kKB = 1000;
constexpr int kMB = 1000 * 1000;

BENCHMARK(BM_ReadScanWriteFloor)
    ->ArgsProduct({{100 * kKB, kMB, 10 * kMB}, {10, 10000}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_ReadScanWriteOutputFloor)
    ->ArgsProduct({{kMB}, {10, 10000}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_AnalysePage, crlf, std::string("\r\n"), std::string())
    ->ArgsProduct({{100 * kKB, kMB, 10 * kMB}, {10, 100, 1000, 10000}})
    ->Args({100 * kKB, 50})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_AnalysePage, lone_lf, std::string("\n"), std::string())
    ->Args({kMB, 1000})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
// The same pages with one image whose name the scanner cuts to "<i class=": it must
// cost no more than the page without it.
BENCHMARK_CAPTURE(BM_AnalysePage, angle_bracket_name, std::string("\r\n"),
                  std::string("<img alt=\"x\">src=<i class=\"c\">y.gif</i>"))
    ->Args({2200 * kKB, 8000})
    ->Args({8800 * kKB, 20000})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_AnalysePage, plain_names, std::string("\r\n"), std::string())
    ->Args({2200 * kKB, 8000})
    ->Args({8800 * kKB, 20000})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

BENCHMARK_CAPTURE(BM_Linking, pass_by_pass, true)
    ->Args({100 * kKB, 50})
    ->Args({kMB, 100})
    ->Args({kMB, 1000})
    ->Args({10 * kMB, 1000})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_Linking, multi_pattern, false)
    ->Args({100 * kKB, 50})
    ->Args({kMB, 100})
    ->Args({kMB, 1000})
    ->Args({10 * kMB, 1000})
    ->Args({10 * kMB, 10000})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
