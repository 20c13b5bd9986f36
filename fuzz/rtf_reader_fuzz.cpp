// Feeds arbitrary bytes to the RTF reader: it must return a document for any input,
// in bounded time and memory, without touching memory it does not own.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "branding/rtf_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const quorvane::RtfDocument document =
        quorvane::ReadRtf(std::string_view(reinterpret_cast<const char*>(data), size));
    // Every run's colour lookup must stay inside the table.
    for (const auto& paragraph : document.paragraphs) {
        for (const auto& run : paragraph.runs) {
            (void)document.ColourOf(run.format);
        }
    }
    return 0;
}
