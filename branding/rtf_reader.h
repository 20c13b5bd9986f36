#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "branding/rtf_document.h"

namespace quorvane {

// Reads the part of RTF that a help document uses: groups, \par, \line, \tab, \b, \i,
// \ul, \strike, \fs, \cf with the colour table, \qc, \pard, \plain, \'hh in the
// document's code page (\ansicpg, Windows-1252 when absent), \uN with \ucN and the
// quote, dash and bullet words.
// The font table, \* groups and other destinations that hold no body text are
// skipped. Any input, however malformed, gives a document: the reader never fails,
// keeps to linear time and bounded nesting.
RtfDocument ReadRtf(std::string_view text);

// The file read whole and passed to ReadRtf; nullopt when it can't be read.
std::optional<RtfDocument> ReadRtfFile(const std::filesystem::path& file);

}  // namespace quorvane
