#include "desktop/gui/native_file_chooser.h"

#include <wx/window.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "desktop/file_chooser_portal.h"

namespace quorvane {
namespace {

GtkFileChooserAction ActionFor(FileChoiceKind kind) {
    switch (kind) {
        case FileChoiceKind::SaveFile:
            return GTK_FILE_CHOOSER_ACTION_SAVE;
        case FileChoiceKind::Folder:
            return GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER;
        case FileChoiceKind::OpenFile:
            break;
    }
    return GTK_FILE_CHOOSER_ACTION_OPEN;
}

void AddFilters(GtkFileChooser* chooser, const FileChoice& choice) {
    for (std::size_t i = 0; i < choice.filters.size(); ++i) {
        GtkFileFilter* filter = gtk_file_filter_new();  // the chooser takes it
        gtk_file_filter_set_name(filter, choice.filters[i].name.c_str());
        for (const std::string& pattern : choice.filters[i].patterns) {
            gtk_file_filter_add_pattern(filter, pattern.c_str());
        }
        gtk_file_chooser_add_filter(chooser, filter);
        if (i == choice.filterShown) {
            gtk_file_chooser_set_filter(chooser, filter);
        }
    }
}

// The top-level GTK window of a wxWidgets window; null for none.
GtkWindow* GtkWindowOf(wxWindow* window) {
    GtkWidget* widget = window != nullptr ? window->GetHandle() : nullptr;
    GtkWidget* top = widget != nullptr ? gtk_widget_get_toplevel(widget) : nullptr;
    return top != nullptr && GTK_IS_WINDOW(top) ? GTK_WINDOW(top) : nullptr;
}

}  // namespace

void AddOptions(GtkFileChooser* chooser, const FileChoice& choice) {
    for (const DialogOption& option : choice.options) {
        std::vector<const char*> values;
        std::vector<const char*> labels;
        for (std::size_t i = 0; i < option.values.size() && i < option.valueLabels.size(); ++i) {
            values.push_back(option.values[i].c_str());
            labels.push_back(option.valueLabels[i].c_str());
        }
        values.push_back(nullptr);
        labels.push_back(nullptr);
        const bool tickBox = option.values.empty();
        gtk_file_chooser_add_choice(chooser, option.id.c_str(), option.label.c_str(),
                                    tickBox ? nullptr : values.data(),
                                    tickBox ? nullptr : labels.data());
        gtk_file_chooser_set_choice(chooser, option.id.c_str(), option.chosen.c_str());
    }
}

std::vector<std::string> ChosenOptions(GtkFileChooser* chooser, const FileChoice& choice) {
    std::vector<std::string> chosen;
    for (const DialogOption& option : choice.options) {
        const char* value = gtk_file_chooser_get_choice(chooser, option.id.c_str());
        chosen.push_back(value != nullptr ? value : option.chosen);
    }
    return chosen;
}

NativeChooser MakeNativeChooser(const FileChoice& choice, GtkWindow* parent) {
    NativeChooser native(gtk_file_chooser_native_new(choice.title.c_str(), parent,
                                                     ActionFor(choice.kind), nullptr, nullptr));
    gtk_native_dialog_set_modal(GTK_NATIVE_DIALOG(native.get()), TRUE);
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(native.get());
    gtk_file_chooser_set_local_only(chooser, TRUE);
    gtk_file_chooser_set_do_overwrite_confirmation(chooser, FALSE);
    if (!choice.folder.empty()) {
        gtk_file_chooser_set_current_folder(chooser, choice.folder.c_str());
    }
    if (choice.kind == FileChoiceKind::SaveFile) {
        gtk_file_chooser_set_current_name(chooser, choice.proposedName.c_str());
    }
    AddFilters(chooser, choice);
    AddOptions(chooser, choice);
    return native;
}

std::size_t ChosenFilterOf(GtkFileChooserNative* native) {
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(native);
    GSList* filters = gtk_file_chooser_list_filters(chooser);
    const gint place = g_slist_index(filters, gtk_file_chooser_get_filter(chooser));
    g_slist_free(filters);
    return place > 0 ? static_cast<std::size_t>(place) : 0;
}

// Without the portal the native chooser is GTK's dialog in this process, as wxWidgets'
// is, and wxWidgets' runs in its own modal loop, which the windows are made for. GTK
// before 3.20 has no native chooser.
DesktopChooserOutcome AskTheDesktop(wxWindow* parent, const FileChoice& choice) {
    DesktopChooserOutcome outcome;
    const auto variable = [](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);
        return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
    };
    std::error_code unknown;
    if (gtk_check_version(3, 20, 0) != nullptr ||
        !FileChooserPortalInUse(variable, std::filesystem::exists("/.flatpak-info", unknown))) {
        return outcome;
    }
    const NativeChooser native = MakeNativeChooser(choice, GtkWindowOf(parent));
    if (gtk_native_dialog_run(GTK_NATIVE_DIALOG(native.get())) != GTK_RESPONSE_ACCEPT) {
        outcome.ending = DesktopChooserEnding::Cancelled;
        return outcome;
    }
    gchar* path = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(native.get()));
    if (path == nullptr) {
        outcome.ending = DesktopChooserEnding::Cancelled;
        return outcome;
    }
    outcome.ending = DesktopChooserEnding::Chosen;
    outcome.chosen = {path, ChosenFilterOf(native.get()),
                      ChosenOptions(GTK_FILE_CHOOSER(native.get()), choice)};
    g_free(path);
    return outcome;
}

}  // namespace quorvane
