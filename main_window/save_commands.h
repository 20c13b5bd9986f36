#pragma once

#include <filesystem>

#include "analysis/analysis_lists.h"
#include "main_window/main_window_surface.h"
#include "main_window/window_views.h"
#include "saving/image_saving.h"
#include "saving/transfer_report.h"

namespace quorvane {

struct ServedResource;

// The commands that save what the Browser view shows: "Save Images…" and "Save Source…".
class SaveCommands {
  public:
    // report: where the saving of the images says how it goes. lists: the page analysis's
    // lists, whose image addresses "Save Images…" saves. toWindowThread: as ImageSaving's.
    SaveCommands(WindowViews& views, MainWindowSurface& surface, TransferReport& report,
                 const AnalysisLists& lists, OrderedWorker::ToWindowThread toWindowThread = {});

    // Asks for a folder, starting in the user's download folder, and saves the Images
    // view's pictures there. Nothing happens while the list is empty or a run is on
    // (CanSaveImages false).
    void SaveImages();
    bool CanSaveImages() const;
    // "Save Images…" ends with what it has saved.
    void StopSavingImages() { saving_.Stop(); }

    // The Browser view's page as the server sent it, into a file the user chooses,
    // starting in the download folder under the page's name; never over a file. The page
    // of its own the Browser view shows for one that could not be opened is not saved.
    // A name the user gives that ends in ".mhtml" or ".mht" saves the page whole instead.
    void SaveSource();
    // "Save Page…": the same, the name proposed that of the page saved whole.
    void SavePage();

  private:
    enum class Proposed { AsServed, WholePage };

    void Save(Proposed proposed);
    void SaveChosen(const ServedResource& resource, Proposed proposed);
    void SaveSourceFile(const std::filesystem::path& path, const ServedResource& resource);
    // The engine writes the page whole into a partial file, which gets its name once whole.
    void SaveWholePage(const std::filesystem::path& path);

    WindowViews& views_;
    MainWindowSurface& surface_;
    const AnalysisLists& lists_;
    ImageSaving saving_;
};

}  // namespace quorvane
