#pragma once

#include <filesystem>
#include <set>
#include <stop_token>
#include <string>
#include <string_view>

#include "saving/picture_conversion.h"

namespace quorvane {

// What becomes of a picture of "Save Images…" whose bytes are all in its partial file.
struct FinishedPicture {
    enum class Outcome {
        Duplicate,     // an earlier picture of the run had its bytes: it goes
        Failed,        // its file cannot be read or written: it goes, for reason
        Kept,          // saved as it came, as asked or already of the format asked
        Converted,     // its file now holds it in the format asked
        NotConverted,  // saved as it came, as it could not be converted, for reason
    };
    Outcome outcome = Outcome::Failed;
    // The name to save it under: asked, with the extension of the type of its bytes now.
    std::string name{};
    std::string reason{};
};

// Finishes the picture in file, asked to be called name: one whose bytes are among digests
// (the run's so far) is a duplicate, else its digest joins them; one whose bytes are not of
// conversion's format is converted into the file, in place of what it held. The work of a
// thread beside the window: the digest, the decoding and the encoding each take long for a
// large picture. Once stop is asked, what it says no longer matters.
FinishedPicture FinishPicture(const std::filesystem::path& file, std::string_view name,
                              const PictureConversion& conversion, std::set<std::string>& digests,
                              std::stop_token stop = {});

}  // namespace quorvane
