#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/anchor_edge.h"
#include "analysis/link_pass.h"
#include "analysis/text_pieces.h"

namespace quorvane {

// The anchor a pass puts in place of its name, address and name escaped.
std::string AnchorFor(const LinkPass& pass);

// A text after linking, and how many of the passes ran over it.
struct LinkedText {
    std::string text;
    std::size_t passesRun = 0;
};

// Runs the passes as if one after the other, each over the whole text as the passes
// before it left it, replacing left to right without overlap and without rescanning
// what it inserted. The first pass that would make the text longer than maxSize bytes
// does not run, and neither does any pass after it.
//
// It takes time close to linear in the text size plus the number of matches instead of
// one whole-text pass per entry, and how large the text would grow is worked out before
// any of it is written, so a page that stops at maxSize never costs more memory than
// that. Only a name that could reach across the edge of an anchor costs a pass of its own
// over the whole text: one that holds, after its first byte, "<" followed by the
// beginning of "<a href='" up to its own end, or, before its last byte, the end of "</a>"
// from its own beginning. Names that match more often than a few times in four bytes
// (runs of one byte, whose overlapping matches grow with their length squared) are never
// held all at once: the passes then run in turns, each turn over the text the one before
// left, down to single passes over the whole text.
LinkedText LinkFileNames(std::string text, const std::vector<LinkPass>& passes,
                         std::size_t maxSize);

// A text the linker reads as it was before a rewriting that keeps the matches of the
// names: each name matches the rewritten text exactly where it matches text, and each
// part it matches is rewritten as itself; or else it never matches the rewritten text,
// and is looked for in the inserted anchors alone. Each byte is rewritten on its own, so
// a part may be appended in pieces.
struct Rewriting {
    void (*append)(std::string& out, std::string_view part);  // appends part rewritten
    std::size_t size = 0;                                     // of the whole text rewritten
    bool (*matchesNowhere)(std::string_view name) = nullptr;  // in the rewritten text
};

// The same passes over text as rewritten, decided, with the linked text still to be
// written: it is handed out in pieces, and the rewritten text is never made whole either,
// since text is searched and each part of it between two anchors is rewritten on its way
// out. It refers to text and to the passes, which must outlive it.
class PlannedLinks {
  public:
    struct Decided;
    explicit PlannedLinks(std::unique_ptr<const Decided> decided);
    PlannedLinks(PlannedLinks&&) noexcept;
    PlannedLinks& operator=(PlannedLinks&&) noexcept;
    ~PlannedLinks();

    std::size_t PassesRun() const;
    // Hands the linked text to write in pieces of about kTextPieceSize bytes.
    void WriteInPieces(const PieceWriter& write) const;
    // The linked text whole.
    std::string Text() const;

  private:
    std::unique_ptr<const Decided> decided_;
};

// The passes over text as rewritten, decided. No name may reach across an anchor's edge.
// Nothing when the names match too often to be chosen among at once (a hostile page's
// runs of one byte); then LinkFileNames over the rewritten text runs them in turns.
std::optional<PlannedLinks> PlanLinksRewriting(std::string_view text, const Rewriting& rewriting,
                                               std::span<const LinkPass> passes,
                                               std::size_t maxSize);

}  // namespace quorvane
