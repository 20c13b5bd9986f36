#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/download_target.h"
#include "saving/partial_file.h"
#include "saving/transfer_report.h"

namespace quorvane {

// A download of the engine's, saved into the user's download folder under the server's
// suggested name made safe, never over a file that is there: written to a partial file
// and named when complete. The progress bar follows it, and status panel 1 says where it
// went or what went wrong; one that fails or is cancelled leaves no file behind.
class SavedDownload : public DownloadTarget {
  public:
    explicit SavedDownload(TransferReport& report);

    DownloadDestination DestinationFor(std::string_view suggestedName) override;
    void Started() override;
    void Received(std::uint64_t received, std::uint64_t announced, double estimate) override;
    void Finished() override;
    void Failed(const std::string& why) override;
    void Cancelled() override;

  private:
    // The name the messages give the download.
    std::string ShownName() const;

    TransferReport& report_;
    std::string name_;
    std::optional<PartialFile> file_;
    std::string shownProgress_;  // the last progress said, so that each is said once
};

}  // namespace quorvane
