#pragma once

#include <gtk/gtk.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "desktop/file_choice.h"

class wxWindow;

namespace quorvane {

struct NativeChooserUnref {
    void operator()(GtkFileChooserNative* chooser) const { g_object_unref(chooser); }
};
using NativeChooser = std::unique_ptr<GtkFileChooserNative, NativeChooserUnref>;

// The desktop's own file chooser for the choice, above parent (which may be null): the
// file-chooser portal where the desktop offers one, GTK's dialog in this process elsewhere.
// A file chosen that is there is not asked about: the program saves beside it.
NativeChooser MakeNativeChooser(const FileChoice& choice, GtkWindow* parent);

// The choice's options, below the chooser's list (a native chooser's or a GTK dialog's),
// and the values chosen of them once it is answered; an option the chooser lost keeps the
// value it started with.
void AddOptions(GtkFileChooser* chooser, const FileChoice& choice);
std::vector<std::string> ChosenOptions(GtkFileChooser* chooser, const FileChoice& choice);

// The place, in the choice the chooser was made for, of the filter chosen in it.
std::size_t ChosenFilterOf(GtkFileChooserNative* chooser);

// How asking the desktop ended.
enum class DesktopChooserEnding { Chosen, Cancelled, Unavailable };

struct DesktopChooserOutcome {
    DesktopChooserEnding ending = DesktopChooserEnding::Unavailable;
    ChosenFile chosen;  // when Chosen
};

// Shows the desktop's chooser for the choice through its file-chooser portal, modal above
// parent's window, until the user answers. Unavailable where the desktop offers no portal.
DesktopChooserOutcome AskTheDesktop(wxWindow* parent, const FileChoice& choice);

}  // namespace quorvane
