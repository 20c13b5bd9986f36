#include "image_list/image_list_keeper.h"

#include "base/address_scheme.h"
#include "image_list/image_list_export.h"
#include "saving/list_export.h"
#include "saving/data_url.h"
#include "saving/image_choice.h"

namespace quorvane {

ImageListKeeper::ImageListKeeper(BrowserViewElement& browser, ImageListTable& table,
                                 ImageListPane& pane, TransferReport& report,
                                 OrderedWorker::ToWindowThread toWindowThread)
    : browser_(browser),
      table_(table),
      pane_(pane),
      report_(report),
      saving_(report, browser, toWindowThread),
      facts_(
          browser, browser,
          [&report](std::function<void()> step) { report.CallSoon(std::move(step)); },
          [this](const std::string& address) { return MayFetch(address); },
          [this](const std::string& address, ImageFacts facts) {
              table_.SetFacts(address, std::move(facts));
              pane_.TableChanged();
          },
          toWindowThread),
      forgetting_(toWindowThread),
      reports_([this](ImageReport read) { OnReport(std::move(read)); }, std::move(toWindowThread)) {
    browser_.WatchImages(
        [this](std::string json) { reports_.Add(std::move(json)); },
        [this] {
            reports_.Clear();
            facts_.Clear();
            forgetting_.Post([before = table_.Clear()] { return std::function<void()>(); });
            pane_.TableChanged();
        });
}

// A web page's images are fetched from the web: an address that would read a local file
// is fetched only for a page that is a local file itself.
bool ImageListKeeper::MayFetch(const std::string& address) const {
    return IsWebAddress(address) ||
           (LeadingSchemeOf(address).scheme == Scheme::File && IsLocalPage(browser_.Address()));
}

void ImageListKeeper::StopSaving() {
    if (saving_.Running()) {
        saving_.Stop();
    }
}

// A report adds to a few rows, which are all the facts reader looks at, unless it made
// every row again: a page of thousands of images costs each report its own rows alone.
void ImageListKeeper::OnReport(ImageReport report) {
    const std::optional<std::vector<std::size_t>> changed = table_.Accept(std::move(report));
    pane_.TableChanged();
    facts_.SetGathering(table_.List().PageGathering());
    if (changed) {
        facts_.Want(table_.List().Rows(), *changed);
    } else {
        facts_.Want(table_.List().Rows());
    }
}

void ImageListKeeper::Refresh() {
    browser_.GatherImagesAgain();
}

std::string ImageListKeeper::ExportFileName() const {
    return ListExportFileName(browser_.Address(), "-images.csv", "images.csv");
}

void ImageListKeeper::Export(const std::filesystem::path& file, const std::string& time) {
    const ImageListHeading heading{browser_.Address(), time, table_.List().Stopped(),
                                   table_.ScreenScale()};
    const std::string text = IsJsonFileName(file.filename().string())
                                 ? ImageListJson(heading, table_.List().Rows())
                                 : ImageListCsv(heading, table_.List().Rows());
    report_.SetStatusText(SaveListExport(file, text));
}

void ImageListKeeper::Save(const std::vector<std::size_t>& rows, bool keepAllCandidates,
                           const std::filesystem::path& folder,
                           const PictureConversion& conversion) {
    if (saving_.Running()) {
        return;
    }
    std::vector<ImageCandidate> candidates;
    const std::vector<ImageRow>& all = table_.List().Rows();
    for (const std::size_t place : rows) {
        if (place < all.size()) {
            const ImageRow& row = all[place];
            const bool unsaved = row.cut || (!IsDataUrl(row.address) && !MayFetch(row.address));
            candidates.push_back({row.address, row.naturalWidth, row.naturalHeight, row.descriptor,
                                  row.groups, unsaved});
        }
    }
    saving_.Start(ChooseImagesToSave(candidates, keepAllCandidates), folder, conversion);
}

}  // namespace quorvane
