#pragma once

#include <cstddef>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <unordered_set>
#include <vector>

#include "inspection/image_list.h"
#include "saving/file_fetcher.h"

namespace quorvane {

// Reads the bytes, type and digest of each image of the Image List once: a data: image
// from its data, any other fetched as the Browser view fetches it (its cookies apply),
// kFetchesAtOnce at a time, into a folder of its own that goes with it. The type is the
// one the bytes say.
class ImageFactsReader {
  public:
    static constexpr std::size_t kFetchesAtOnce = 4;
    using Found = std::function<void(const std::string& address, ImageFacts facts)>;

    ImageFactsReader(FileFetcher& fetcher, Found found);
    ~ImageFactsReader();
    ImageFactsReader(const ImageFactsReader&) = delete;
    ImageFactsReader& operator=(const ImageFactsReader&) = delete;

    // A new page: what is asked for or on its way for the page before is forgotten.
    void Clear();
    // Reads the facts of the rows not read or asked for yet; a cut address has none.
    void Want(const std::vector<ImageRow>& rows);
    // The fetches on their way were cancelled (a save was stopped): they are asked again.
    void Resume();

  private:
    void StartMore();
    void OnFetched(unsigned page, unsigned number, bool whole);
    void ReadData(const std::string& address);
    std::filesystem::path FileOf(unsigned number) const;

    FileFetcher& fetcher_;
    Found found_;
    std::filesystem::path folder_;  // made at the first fetch
    std::unordered_set<std::string> asked_;
    std::deque<std::string> waiting_;
    std::map<unsigned, std::string> fetching_;  // by fetch number
    unsigned page_ = 0;
    unsigned fetches_ = 0;
    bool starting_ = false;
};

}  // namespace quorvane
