#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "analysis/anchor_edge.h"
#include "analysis/file_name_search.h"
#include "analysis/link_pass.h"
#include "analysis/match_choice.h"
#include "analysis/pass_names.h"

namespace quorvane {

// How many matches the passes may choose among in one text at once: far more than any
// page's names find, and few enough that held they cost a few times the text.
std::size_t MostMatches(std::size_t textSize);

// Each match of a pass from firstPass on in text, as (pass, start), but for the names
// marked in leftOut; false when there are more than most.
bool Candidates(std::string_view text, std::size_t most, FileNameSearch& search, const Names& names,
                std::size_t firstPass, PassAndStart& found, const std::vector<bool>& leftOut = {});

// The matches of later passes in the anchors of earlier ones. A page of thousands of
// images inserts thousands of anchors, each as long as a line of the page, and nearly
// all of what they hold is known without a search: see Find.
class AnchorMatches {
  public:
    // The text's own search: the candidates it found there (how many, and those chosen)
    // and the names it left out.
    AnchorMatches(FileNameSearch& search, const Names& names, std::size_t candidates,
                  const Replaced& inText, const std::vector<bool>& leftOut,
                  std::span<const LinkPass> passes);

    // Each match of a pass after k in pass k's anchor, of anchorSize bytes, as Candidates
    // gives it.
    bool Find(std::size_t k, std::size_t anchorSize, PassAndStart& found);

  private:
    bool FindInHead(std::string_view head, std::size_t k, PassAndStart& found, std::size_t most);

    FileNameSearch& search_;
    const Names& names_;
    std::span<const LinkPass> passes_;
    std::vector<bool> addressOnly_;  // by pass
    bool slashFree_ = false;         // no name holds a "/"
    // The part of an address before its name last searched, and the matches there.
    std::string_view head_;
    bool headSearched_ = false;
    bool headWithinBound_ = false;
    PassAndStart headFound_;
};

}  // namespace quorvane
