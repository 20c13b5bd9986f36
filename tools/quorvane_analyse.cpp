// quorvane-analyse: runs the page analysis of the Browser view on captured body HTML,
// for scripts and for checking the two generated views without a window.

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

namespace {

constexpr char kUsage[] =
    "Usage: quorvane-analyse --page-address URL --out DIR [FILE]\n"
    "Reads the captured body HTML from FILE (standard input when FILE is absent or \"-\"),\n"
    "analyses it as the page at URL and writes the six work files into DIR, which must\n"
    "exist. Prints the number of images and image links found. A page too large to show\n"
    "whole is reported on standard error; a view file that cannot be written is reported\n"
    "there too, and the exit status is then 1. A fault of the program ends the run with\n"
    "exit status 3. Runs on one DIR, and the program using it as its work folder, take\n"
    "turns: a run waits until DIR is free.\n";

struct Options {
    std::string pageAddress;
    std::string out;
    std::string file = "-";
};

bool IsDirectory(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// The options, or a message saying what is wrong with them.
std::optional<Options> ParseOptions(int argc, char** argv, std::string& problem) {
    Options options;
    bool hasAddress = false;
    bool hasOut = false;
    bool hasFile = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if ((argument == "--page-address" || argument == "--out") && i + 1 < argc) {
            (argument == "--out" ? options.out : options.pageAddress) = argv[++i];
            (argument == "--out" ? hasOut : hasAddress) = true;
        } else if ((argument.empty() || argument[0] != '-' || argument == "-") && !hasFile) {
            options.file = argument;
            hasFile = true;
        } else {
            problem = "unknown or incomplete option: " + argument;
            return std::nullopt;
        }
    }
    if (!hasAddress || !hasOut) {
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

// Runs the analysis on the folder's work files. What the window says in its status bar
// goes to standard error; a view file that could not be written makes the run a
// failure, and so does a fault of the program, which the window reports in its place.
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
    if (page.viewFileNotWritten) {
        return 1;
    }
    std::cout << lists.Links[1].size() << " images, " << lists.Links[0].size() << " image links\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--help") {
            std::cout << kUsage;
            return 0;
        }
    }
    std::string problem;
    const std::optional<Options> options = ParseOptions(argc, argv, problem);
    if (!options) {
        std::cerr << "quorvane-analyse: " << problem << "\n" << kUsage;
        return 2;
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
