// quorvane-analyse: runs the page analysis of the Browser view on captured body HTML,
// for scripts and for checking the two generated views without a window.

#include <getopt.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>

#include "analysis/page_analysis.h"
#include "analysis/work_files.h"
#include "desktop/folder_lock.h"
#include "image_list/image_list.h"
#include "image_list/image_list_export.h"
#include "image_list/images_in_text.h"

namespace {

constexpr char kUsage[] =
    "Usage: quorvane-analyse --page-address URL --out DIR [--json] [FILE]\n"
    "Reads the captured body HTML from FILE (standard input when FILE is absent or \"-\"),\n"
    "analyses it as the page at URL and writes the six work files into DIR, which must\n"
    "exist. Prints the number of images and image links found. A page too large to show\n"
    "whole is reported on standard error; a view file that cannot be written is reported\n"
    "there too, and the exit status is then 1. A fault of the program ends the run with\n"
    "exit status 3. Runs on one DIR, and the program using it as its work folder, take\n"
    "turns: a run waits until DIR is free.\n"
    "With --json, prints instead the Image List of what can be known without a browser\n"
    "engine, as File > Export Image List writes it: {\"page\", \"time\", \"stopped\",\n"
    "\"images\": [{\"address\", \"kinds\", \"descriptor\", \"uses\", ...}]}. It holds the\n"
    "images of <img src> (\"img\"), the links to image files (\"link\"), every srcset\n"
    "candidate of <img> (\"srcset\") and <source> (\"picture\") with its descriptor, and the\n"
    "data-* attributes that hold an image address or a srcset (\"lazy\"). Sizes, bytes\n"
    "and types need the engine: they are 0, null and \"\".\n";

struct Options {
    std::string pageAddress;
    std::string out;
    std::string file = "-";
    bool help = false;
    bool json = false;
    bool hasAddress = false;
    bool hasOut = false;
};

bool IsDirectory(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// The options and FILE as getopt_long reads them; false, with a message, for a wrong one.
bool ReadArguments(int argc, char** argv, Options& options, std::string& problem) {
    static const option kOptions[] = {{"help", no_argument, nullptr, 'h'},
                                      {"page-address", required_argument, nullptr, 'p'},
                                      {"out", required_argument, nullptr, 'o'},
                                      {"json", no_argument, nullptr, 'j'},
                                      {nullptr, 0, nullptr, 0}};
    ::opterr = 0;
    bool read = true;
    for (int option = 0; (option = ::getopt_long(argc, argv, "", kOptions, nullptr)) != -1;) {
        if (option == 'h') {
            options.help = true;
        } else if (option == 'p') {
            options.pageAddress = ::optarg;
            options.hasAddress = true;
        } else if (option == 'j') {
            options.json = true;
        } else if (option == 'o') {
            options.out = ::optarg;
            options.hasOut = true;
        } else if (read) {
            problem = std::string("unknown or incomplete option: ") + argv[::optind - 1];
            read = false;
        }
    }
    if (read && argc - ::optind > 1) {
        problem = std::string("more than one FILE: ") + argv[::optind + 1];
        read = false;
    }
    if (::optind < argc) {
        options.file = argv[::optind];
    }
    return read;
}

// The options, or a message saying what is wrong with them. Asked for its usage, the
// tool needs nothing else.
std::optional<Options> ParseOptions(int argc, char** argv, std::string& problem) {
    Options options;
    const bool read = ReadArguments(argc, argv, options, problem);
    if (options.help) {
        return options;
    }
    if (!read) {
        return std::nullopt;
    }
    if (!options.hasAddress || !options.hasOut) {
        problem = "both --page-address and --out are needed";
        return std::nullopt;
    }
    if (!IsDirectory(options.out)) {
        problem = "not a folder: " + options.out;
        return std::nullopt;
    }
    return options;
}

std::optional<std::string> ReadBody(const std::string& file) {
    if (file == "-") {
        std::cin >> std::noskipws;
        std::string body{std::istreambuf_iterator<char>(std::cin),
                         std::istreambuf_iterator<char>()};
        return std::cin.bad() ? std::nullopt : std::optional(body);
    }
    std::ifstream input(file, std::ios::binary);
    if (!input || IsDirectory(file)) {
        return std::nullopt;
    }
    std::string body{std::istreambuf_iterator<char>(input), std::istreambuf_iterator<char>()};
    return input.bad() ? std::nullopt : std::optional(body);
}

// The Image List of what the text names, read as the Image List reads a page's tags (the
// three views' own scanners read lines their own way, and serve those views alone).
std::string ImageListText(const std::string& pageAddress, const std::string& body) {
    quorvane::ImageReport report{"page", 1, {}, false};
    report.findings = quorvane::ImagesNamedInText(body, pageAddress, quorvane::ImageList::kMaxRows);
    quorvane::ImageList list;
    list.Accept(std::move(report));
    return quorvane::ImageListJson({pageAddress, quorvane::ExportTimeNow(), list.Stopped()},
                                   list.Rows());
}

// Runs the analysis on the folder's work files. What the window says in its status bar
// goes to standard error; a work file of a scanner or a view that could not be written
// makes the run a failure, and so does a fault of the program, which the window reports
// in its place.
int Analyse(const Options& options, const std::string& body) {
    quorvane::AnalysisLists lists;
    quorvane::AnalysedPage page;
    try {
        page = quorvane::AnalysePageText(options.out, body, options.pageAddress, lists);
    } catch (const std::exception& fault) {
        std::cerr << "quorvane-analyse: the analysis failed: " << fault.what() << "\n";
        return 3;
    }
    for (const std::string& note : page.notes) {
        std::cerr << "quorvane-analyse: " << note << "\n";
    }
    if (page.viewFileNotWritten || page.scanFileNotWritten) {
        return 1;
    }
    if (options.json) {
        std::cout << ImageListText(options.pageAddress, body);
        return 0;
    }
    std::cout << lists.imageTags.addresses.size() << " images, "
              << lists.imageLinks.addresses.size() << " image links\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string problem;
    const std::optional<Options> options = ParseOptions(argc, argv, problem);
    if (!options) {
        std::cerr << "quorvane-analyse: " << problem << "\n" << kUsage;
        return 2;
    }
    if (options->help) {
        std::cout << kUsage;
        return 0;
    }
    const std::optional<std::string> body = ReadBody(options->file);
    if (!body) {
        std::cerr << "quorvane-analyse: cannot read " << options->file << "\n";
        return 1;
    }
    std::ios::sync_with_stdio(false);
    // Two runs on one folder follow each other, as two copies of the program keep out
    // of each other's folders.
    const std::optional<quorvane::FolderLock> ownsOut =
        quorvane::FolderLock::Take(options->out, true);
    try {
        quorvane::EnsureWorkFiles(options->out);
    } catch (const std::exception& error) {
        std::cerr << "quorvane-analyse: " << error.what() << "\n";
        return 1;
    }
    return Analyse(*options, *body);
}
