#include "analysis/anchor_matches.h"

#include <algorithm>
#include <array>

#include "analysis/file_name_linker.h"

// Anchor k is its frame around pass k's address and name, each escaped. A match in it
// lies within the address, within the name, or takes a byte of the frame: then it holds
// a byte of the frame next to the address or the name (the "'" that ends "<a href='",
// "'" or ">" of "'>", the "<" of "</a>"), or lies within "<a href='" or "</a>". When no
// name does either, and neither the address nor the name needs an escape, the matches
// in the anchor are those in pass k's address and in its name as given.
//
// When pass k matched the text, where no two matches overlapped (no candidate was
// dropped) and no name was left out of the search, no name occurs within pass k's name
// but that name itself, and no later pass links that name: another name within it would
// have matched the text within pass k's match there, and a later pass of the same name
// at the same place. So then only the address is searched.
//
// An address usually ends in its own name after a "/", and the part before that (its
// head) is the same for most of a page's images. When no name holds a "/", no match
// takes that "/", and the name at the end holds no later pass's match, as above: the
// matches in the address are those in its head, searched once while anchors repeat it.

namespace quorvane {

namespace {

// What a name holds that bars a shortcut: a byte of an anchor's frame next to its address
// or name, or a "/".
enum NameBytes : unsigned char { kFrameByte = 1, kSlash = 2 };

constexpr std::array<unsigned char, 256> NameByteKinds() {
    std::array<unsigned char, 256> kinds{};
    kinds['<'] = kinds['>'] = kinds['\''] = kFrameByte;
    kinds['/'] = kSlash;
    return kinds;
}

constexpr std::array<unsigned char, 256> kNameByteKinds = NameByteKinds();

// The kinds of bytes any of the names holds, and kFrameByte as well when a name lies
// within "<a href='" or "</a>".
unsigned char HeldByNames(std::span<const std::string_view> names) {
    unsigned char held = 0;
    for (const std::string_view name : names) {
        for (const char c : name) {
            held |= kNameByteKinds[static_cast<unsigned char>(c)];
        }
        if (name.size() <= kAnchorBeginning.size() &&
            (kAnchorBeginning.find(name) != std::string_view::npos ||
             kAnchorEnd.find(name) != std::string_view::npos)) {
            held |= kFrameByte;
        }
    }
    return held;
}

}  // namespace

std::size_t MostMatches(std::size_t textSize) {
    return textSize / 4 + 4096;
}

bool Candidates(std::string_view text, std::size_t most, FileNameSearch& search, const Names& names,
                std::size_t firstPass, PassAndStart& found, const std::vector<bool>& leftOut) {
    found.clear();
    return search.ForEachMatch(text, most, [&](std::size_t name, std::size_t start) {
        if (name < leftOut.size() && leftOut[name]) {
            return;
        }
        for (const std::size_t pass : names.PassesOf(name)) {
            if (pass >= firstPass) {
                found.emplace_back(pass, start);
            }
        }
    }) && found.size() <= most;
}

AnchorMatches::AnchorMatches(FileNameSearch& search, const Names& names, std::size_t candidates,
                             const Replaced& inText, const std::vector<bool>& leftOut,
                             std::span<const LinkPass> passes)
    : search_(search), names_(names), passes_(passes), addressOnly_(passes.size(), false) {
    const bool noneDropped = inText.size() == candidates;
    const bool noneLeftOut = std::find(leftOut.begin(), leftOut.end(), true) == leftOut.end();
    if (!noneDropped || !noneLeftOut) {
        return;
    }
    const unsigned char held = HeldByNames(names.distinct);
    if ((held & kFrameByte) != 0) {
        return;
    }
    for (const Stretch& stretch : inText) {
        addressOnly_[stretch.pass] = true;
    }
    slashFree_ = (held & kSlash) == 0;
}

bool AnchorMatches::Find(std::size_t k, std::size_t anchorSize, PassAndStart& found) {
    const LinkPass& pass = passes_[k];
    const std::size_t most = MostMatches(anchorSize);
    const bool unescaped = anchorSize == pass.address.size() + pass.name.size() + kAnchorFrameSize;
    if (!addressOnly_[k] || !unescaped) {
        return Candidates(AnchorFor(pass), most, search_, names_, k + 1, found);
    }
    const std::string_view address = pass.address;
    const std::size_t head = address.size() - pass.name.size();
    if (slashFree_ && head > 0 && address.ends_with(pass.name) && address[head - 1] == '/') {
        if (!FindInHead(address.substr(0, head), k, found, most)) {
            return false;
        }
    } else if (!Candidates(address, most, search_, names_, k + 1, found)) {
        return false;
    }
    for (auto& [later, start] : found) {
        start += kAnchorBeginning.size();
    }
    return true;
}

bool AnchorMatches::FindInHead(std::string_view head, std::size_t k, PassAndStart& found,
                               std::size_t most) {
    if (!headSearched_ || head != head_) {
        head_ = head;
        headSearched_ = true;
        headWithinBound_ =
            Candidates(head, MostMatches(head.size()), search_, names_, 0, headFound_);
    }
    found.clear();
    for (const auto& [pass, start] : headFound_) {
        if (pass > k) {
            found.emplace_back(pass, start);
        }
    }
    return headWithinBound_ && found.size() <= most;
}

}  // namespace quorvane
