#include "inspection/srcset_candidates.h"

#include <charconv>
#include <cmath>
#include <system_error>
#include <utility>

#include "inspection/markup_tokens.h"

namespace quorvane {
namespace {

std::size_t DigitsAt(std::string_view text, std::size_t at) {
    std::size_t end = at;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') {
        ++end;
    }
    return end - at;
}

// A valid non-negative integer (one or more ASCII digits), read; nullopt for any other text
// and for a number too large to hold.
std::optional<std::uint64_t> NonNegativeInteger(std::string_view text) {
    std::uint64_t value = 0;
    if (text.empty() || DigitsAt(text, 0) != text.size() ||
        std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc()) {
        return std::nullopt;
    }
    return value;
}

// A valid floating-point number ("-1", "1.5", ".5", "1e3", "2.5E-1"; not "1.", "+1" nor
// "1e"), read; nullopt for any other text and for one beyond a double.
std::optional<double> FloatingPointNumber(std::string_view text) {
    std::size_t at = text.starts_with('-') ? 1 : 0;
    const std::size_t whole = DigitsAt(text, at);
    at += whole;
    std::size_t fraction = 0;
    if (at < text.size() && text[at] == '.') {
        fraction = DigitsAt(text, ++at);
        if (fraction == 0) {
            return std::nullopt;
        }
        at += fraction;
    }
    if (whole == 0 && fraction == 0) {
        return std::nullopt;
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        at += at + 1 < text.size() && (text[at + 1] == '-' || text[at + 1] == '+') ? 2 : 1;
        const std::size_t exponent = DigitsAt(text, at);
        if (exponent == 0) {
            return std::nullopt;
        }
        at += exponent;
    }
    double value = 0;
    if (at != text.size() ||
        std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

enum class DescriptorState { InDescriptor, InParentheses, AfterDescriptor };

// The standard's descriptor tokenizer, from pos: the descriptors up to the comma that ends
// the candidate (pos is left after it) or the value's end. A descriptor is one stretch of the
// value, so each is a view of it.
std::vector<std::string_view> TokenizeDescriptors(std::string_view value, std::size_t& pos) {
    while (pos < value.size() && IsMarkupSpace(value[pos])) {
        ++pos;
    }
    std::vector<std::string_view> descriptors;
    std::size_t begin = pos;  // of the current descriptor, which runs up to pos
    const auto append = [&] {
        if (pos > begin) {
            descriptors.push_back(value.substr(begin, pos - begin));
        }
    };
    DescriptorState state = DescriptorState::InDescriptor;
    for (; pos < value.size(); ++pos) {
        const char c = value[pos];
        if (state == DescriptorState::InDescriptor && IsMarkupSpace(c)) {
            append();
            state = DescriptorState::AfterDescriptor;
        } else if (state == DescriptorState::InDescriptor && c == ',') {
            append();
            ++pos;
            return descriptors;
        } else if (state == DescriptorState::InDescriptor && c == '(') {
            state = DescriptorState::InParentheses;
        } else if (state == DescriptorState::InParentheses && c == ')') {
            state = DescriptorState::InDescriptor;
        } else if (state == DescriptorState::AfterDescriptor && !IsMarkupSpace(c)) {
            // The character begins a descriptor and is read again in it.
            state = DescriptorState::InDescriptor;
            begin = pos--;
        }
    }
    if (state != DescriptorState::AfterDescriptor) {
        append();
    }
    return descriptors;
}

// The standard's descriptor parser: fills in what the descriptors say, and whether they
// make an image source at all.
void ParseDescriptors(const std::vector<std::string_view>& descriptors,
                      SrcsetCandidate& candidate) {
    bool error = false;
    for (const std::string_view descriptor : descriptors) {
        const std::string_view number = descriptor.substr(0, descriptor.size() - 1);
        const char last = descriptor.back();
        const std::optional<std::uint64_t> integer = NonNegativeInteger(number);
        const std::optional<double> real = last == 'x' ? FloatingPointNumber(number) : std::nullopt;
        if (last == 'w' && integer) {
            error = error || candidate.width || candidate.density || *integer == 0;
            candidate.width = integer;
        } else if (last == 'x' && real) {
            error = error || candidate.width || candidate.density || candidate.height || *real < 0;
            candidate.density = real;
        } else if (last == 'h' && integer) {
            error = error || candidate.height || candidate.density || *integer == 0;
            candidate.height = integer;
        } else {
            error = true;
        }
        candidate.descriptors += (candidate.descriptors.empty() ? "" : " ");
        candidate.descriptors += descriptor;
    }
    candidate.imageSource = !error && !(candidate.height && !candidate.width);
    if (!candidate.imageSource) {
        candidate.width.reset();
        candidate.density.reset();
        candidate.height.reset();
    }
}

}  // namespace

std::vector<SrcsetCandidate> SrcsetCandidates(std::string_view value) {
    std::vector<SrcsetCandidate> candidates;
    std::size_t pos = 0;
    while (true) {
        while (pos < value.size() && (IsMarkupSpace(value[pos]) || value[pos] == ',')) {
            ++pos;
        }
        if (pos >= value.size()) {
            return candidates;
        }
        SrcsetCandidate candidate;
        candidate.urlBegin = pos;
        while (pos < value.size() && !IsMarkupSpace(value[pos])) {
            ++pos;
        }
        candidate.urlEnd = pos;
        std::vector<std::string_view> descriptors;
        if (value[pos - 1] == ',') {
            // "a.png," has no descriptors: its commas end the candidate.
            while (value[candidate.urlEnd - 1] == ',') {
                --candidate.urlEnd;
            }
        } else {
            descriptors = TokenizeDescriptors(value, pos);
        }
        ParseDescriptors(descriptors, candidate);
        candidates.push_back(std::move(candidate));
    }
}

}  // namespace quorvane
