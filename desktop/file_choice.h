#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quorvane {

// A kind of file a file dialog shows and, in a save dialog, saves as.
struct FileTypeFilter {
    std::string name;                   // "CSV (*.csv)"
    std::vector<std::string> patterns;  // "*.csv"; "*" for every file
};

enum class FileChoiceKind { OpenFile, SaveFile, Folder };

// A choice the dialog offers below its list of files, such as a format to save in; one
// without values is a tick box, whose value is "true" or "false".
struct DialogOption {
    std::string id;     // how the dialog knows it
    std::string label;  // shown beside it
    std::vector<std::string> values;
    std::vector<std::string> valueLabels;  // shown for each value
    std::string chosen;                    // the value chosen at the start
};

// What a file dialog asks of the user.
struct FileChoice {
    FileChoiceKind kind = FileChoiceKind::OpenFile;
    std::string title;
    std::string folder;        // where the dialog starts; "" for the dialog's own choice
    std::string proposedName;  // the name filled in for a file to save
    std::vector<FileTypeFilter> filters;
    std::size_t filterShown = 0;  // the place in filters of the one chosen at the start
    std::vector<DialogOption> options{};
};

// The user's answer: the path, the place in the choice's filters of the one chosen, and
// the value chosen of each of the choice's options, in their order.
struct ChosenFile {
    std::string path;
    std::size_t filter = 0;
    std::vector<std::string> options{};
};

// The filters as wxWidgets' file dialog takes them, "CSV (*.csv)|*.csv|JSON (*.json)|*.json";
// "*" (every file) for none.
std::string WildcardOf(const std::vector<FileTypeFilter>& filters);

}  // namespace quorvane
