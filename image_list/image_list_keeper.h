#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/browser_view_element.h"
#include "image_list/image_list_pane.h"
#include "image_list/image_list_table.h"
#include "image_list/image_facts_reader.h"
#include "image_list/image_report_reader.h"
#include "saving/image_saving.h"
#include "saving/transfer_report.h"

namespace quorvane {

// The Image List's logic: it keeps the table of the images of the Browser view's page,
// fed by the gatherer in the page's frames and by the facts of each image's file, and
// carries out the list's commands.
class ImageListKeeper {
  public:
    // Starts the gatherer in browser's pages from the next one on; table is what pane
    // shows. toWindowThread: how the image files' writer answers, as ImageFactsReader's.
    ImageListKeeper(BrowserViewElement& browser, ImageListTable& table, ImageListPane& pane,
                    TransferReport& report, OrderedWorker::ToWindowThread toWindowThread = {});

    ImageListTable& Table() { return table_; }
    // "Refresh List": the page is gathered again, for what it loaded meanwhile.
    void Refresh();

    // The name the export proposes: "<page name>-images.csv".
    std::string ExportFileName() const;
    // Writes the list to file (CSV, or JSON for a name ending ".json") with the page's
    // address and time, never over a file that is there; says in panel 1 what happened.
    void Export(const std::filesystem::path& file, const std::string& time);

    // Saves the rows (places in the table's list) into folder, converted as asked: each
    // address once, of a srcset only the best candidate unless keepAllCandidates; nothing
    // while a save runs.
    void Save(const std::vector<std::size_t>& rows, bool keepAllCandidates,
              const std::filesystem::path& folder, const PictureConversion& conversion = {});
    bool Saving() const { return saving_.Running(); }
    void StopSaving();
    // The file of the image at address while the list keeps it (for its thumbnail).
    std::string ImageFile(const std::string& address) const { return facts_.KeptFile(address); }

  private:
    void OnReport(ImageReport report);
    bool MayFetch(const std::string& address) const;

    BrowserViewElement& browser_;
    ImageListTable& table_;
    ImageListPane& pane_;
    TransferReport& report_;
    ImageSaving saving_;
    ImageFactsReader facts_;
    // Lets go of the lists of pages before, beside the window.
    OrderedWorker forgetting_;
    // Reads the gatherer's reports beside the window; last, as its answers reach the rest.
    ImageReportReader reports_;
};

}  // namespace quorvane
