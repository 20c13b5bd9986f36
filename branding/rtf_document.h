#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quorvane {

struct RtfColour {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const RtfColour&) const = default;
};

// Character formatting of a run of text.
struct RtfCharFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int fontSizeHalfPoints = 24;
    int colourIndex = 0;  // into RtfDocument::colours; 0 is the automatic colour
    bool operator==(const RtfCharFormat&) const = default;
};

// Text in UTF-8; "\t" is a tab and "\n" a line break inside the paragraph.
struct RtfRun {
    std::string text;
    RtfCharFormat format;
    bool operator==(const RtfRun&) const = default;
};

struct RtfParagraph {
    bool centred = false;
    std::vector<RtfRun> runs;
    bool operator==(const RtfParagraph&) const = default;
};

// What the Help window shows of a rich-text document.
struct RtfDocument {
    // The colour table; an entry without colour values (the usual first one) is the
    // automatic colour.
    std::vector<std::optional<RtfColour>> colours;
    std::vector<RtfParagraph> paragraphs;

    // The colour of a run's format; nullopt for the automatic colour or an index
    // outside the table.
    std::optional<RtfColour> ColourOf(const RtfCharFormat& format) const;
};

}  // namespace quorvane
