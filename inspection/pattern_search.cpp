#include "inspection/pattern_search.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <glib.h>
#include <pcre2.h>

#include <new>
#include <optional>
#include <utility>

#include "desktop/translation.h"

namespace quorvane {
namespace {

constexpr std::size_t kJitStackStart = 32 * 1024;
// As deep as GLib's matcher could go on the heap; a pattern that needs more is too costly.
constexpr std::size_t kJitStackMost = 8 * 1024 * 1024;

struct CodeFree {
    void operator()(pcre2_code* code) const { pcre2_code_free(code); }
};
struct MatchDataFree {
    void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};
struct MatchContextFree {
    void operator()(pcre2_match_context* context) const { pcre2_match_context_free(context); }
};
struct CompileContextFree {
    void operator()(pcre2_compile_context* context) const { pcre2_compile_context_free(context); }
};
struct JitStackFree {
    void operator()(pcre2_jit_stack* stack) const { pcre2_jit_stack_free(stack); }
};

// Called by PCRE before every item of the pattern it tries, at every position: one step.
int TakeStep(pcre2_callout_block*, void* stepsLeft) {
    auto& left = *static_cast<std::uint64_t*>(stepsLeft);
    if (left == 0) {
        return PCRE2_ERROR_CALLOUT;
    }
    --left;
    return 0;
}

// GLib says "Error while compiling regular expression x at char 3: missing terminating )";
// the entry has room for what is wrong only.
std::string BadExpressionText(const std::string& glibMessage) {
    const std::size_t colon = glibMessage.rfind(": ");
    return colon == std::string::npos ? glibMessage : glibMessage.substr(colon + 2);
}

int GRegexFlags(const PatternSearch::Options& options) {
    return (options.caseless ? G_REGEX_CASELESS : 0) | (options.multiline ? G_REGEX_MULTILINE : 0) |
           (options.bytes ? G_REGEX_RAW : 0);
}

// What GLib's g_regex_new asks of PCRE for these options: Unicode properties for \w, \b and
// [[:alpha:]] even on bytes, any line break as a newline and for \R. Every item is also
// preceded by a callout, so that the steps of the search can be counted.
std::uint32_t PcreOptions(const PatternSearch::Options& options) {
    return PCRE2_UCP | PCRE2_AUTO_CALLOUT | (options.caseless ? PCRE2_CASELESS : 0) |
           (options.multiline ? PCRE2_MULTILINE : 0) | (options.bytes ? 0 : PCRE2_UTF);
}

}  // namespace

struct PatternSearch::Compiled {
    std::unique_ptr<pcre2_code, CodeFree> code;
    std::unique_ptr<pcre2_match_data, MatchDataFree> matchData;
    std::unique_ptr<pcre2_match_context, MatchContextFree> matchContext;
    std::unique_ptr<pcre2_jit_stack, JitStackFree> jitStack;
};

namespace {

// Why GLib refuses pattern, in its own words, or nothing: what it refused is still refused.
std::optional<std::string> GLibRefusal(const std::string& pattern,
                                       const PatternSearch::Options& options) {
    GError* error = nullptr;
    GRegex* judged =
        g_regex_new(pattern.c_str(), static_cast<GRegexCompileFlags>(GRegexFlags(options)),
                    static_cast<GRegexMatchFlags>(0), &error);
    if (judged == nullptr) {
        std::string refusal = BadExpressionText(error->message);
        g_error_free(error);
        return refusal;
    }
    g_regex_unref(judged);
    return std::nullopt;
}

}  // namespace

PatternSearch::PatternSearch(const std::string& pattern, Options options, std::uint64_t budgetSteps)
    : stepsLeft_(budgetSteps) {
    // PCRE reads past the end of a pattern that is not UTF-8 (and GLib gives it unchecked).
    if (!g_utf8_validate(pattern.data(), static_cast<gssize>(pattern.size()), nullptr)) {
        Refuse(Translated("not UTF-8 text"));
    } else if (std::optional<std::string> refusal = GLibRefusal(pattern, options)) {
        Refuse(std::move(*refusal));
    } else {
        Compile(pattern, options);
    }
}

void PatternSearch::Refuse(std::string why) {
    state_ = State::BadExpression;
    badExpression_ = std::move(why);
}

// PCRE itself matches: GLib has no way to count the work of a match.
void PatternSearch::Compile(const std::string& pattern, const Options& options) {
    const std::unique_ptr<pcre2_compile_context, CompileContextFree> compileContext(
        pcre2_compile_context_create(nullptr));
    pcre2_set_newline(compileContext.get(), PCRE2_NEWLINE_ANY);
    pcre2_set_bsr(compileContext.get(), PCRE2_BSR_UNICODE);
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    auto compiled = std::make_unique<Compiled>();
    compiled->code.reset(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.c_str()),
                                       PCRE2_ZERO_TERMINATED, PcreOptions(options), &errorCode,
                                       &errorOffset, compileContext.get()));
    if (!compiled->code) {
        PCRE2_UCHAR message[256];
        pcre2_get_error_message(errorCode, message, sizeof message);
        Refuse(reinterpret_cast<const char*>(message));
        return;
    }
    // Without the compiled matcher (a system that forbids it) PCRE interprets the pattern.
    pcre2_jit_compile(compiled->code.get(), PCRE2_JIT_COMPLETE);
    compiled->matchData.reset(pcre2_match_data_create(1, nullptr));
    compiled->matchContext.reset(pcre2_match_context_create(nullptr));
    compiled->jitStack.reset(pcre2_jit_stack_create(kJitStackStart, kJitStackMost, nullptr));
    if (!compiled->matchData || !compiled->matchContext || !compiled->jitStack) {
        throw std::bad_alloc();
    }
    pcre2_set_callout(compiled->matchContext.get(), TakeStep, &stepsLeft_);
    pcre2_jit_stack_assign(compiled->matchContext.get(), nullptr, compiled->jitStack.get());
    compiled_ = std::move(compiled);
}

PatternSearch::~PatternSearch() = default;

std::string PatternSearch::Problem() const {
    switch (state_) {
        case State::Searching:
            return {};
        case State::BadExpression:
            return Translated("Bad expression: {1}", {badExpression_});
        case State::TooCostly:
            return Translated(kTooCostly);
    }
    return {};
}

void PatternSearch::EachMatch(
    std::string_view text, const std::function<bool(std::size_t begin, std::size_t end)>& found) {
    if (state_ == State::Searching) {
        stepsLeft_ += kStepsPerByte * text.size();
    }
    // PCRE checks the text is UTF-8 once, on the first match; later ones trust it.
    std::uint32_t checks = 0;
    std::size_t from = 0;
    while (state_ == State::Searching && from <= text.size()) {
        const auto match = NextMatch(text, from, checks);
        checks = PCRE2_NO_UTF_CHECK;
        if (!match) {
            return;
        }
        const auto [begin, end] = *match;
        if (!found(begin, end)) {
            return;
        }
        if (end > begin) {
            from = end;
        } else if (end == text.size()) {
            return;
        } else {
            // GLib goes on past an empty match by a UTF-8 character, even in bytes.
            from = static_cast<std::size_t>(g_utf8_next_char(text.data() + end) - text.data());
        }
    }
}

std::optional<std::pair<std::size_t, std::size_t>> PatternSearch::NextMatch(std::string_view text,
                                                                          std::size_t from,
                                                                          std::uint32_t checks) {
    // Each match costs a step of its own too, so that a search of many short texts (the
    // Image List's addresses) is counted even where PCRE tries no position.
    if (stepsLeft_ == 0) {
        state_ = State::TooCostly;
        return std::nullopt;
    }
    --stepsLeft_;
    const int result = pcre2_match(compiled_->code.get(), reinterpret_cast<PCRE2_SPTR>(text.data()),
                                   text.size(), from, checks, compiled_->matchData.get(),
                                   compiled_->matchContext.get());
    if (result == PCRE2_ERROR_NOMATCH ||
        (result <= PCRE2_ERROR_UTF8_ERR1 && result >= PCRE2_ERROR_UTF8_ERR21)) {
        return std::nullopt;
    }
    if (result < 0) {
        // The budget, or one of PCRE's own limits for one attempt (its steps, its depth,
        // its memory): each says the pattern costs too much on this text.
        state_ = State::TooCostly;
        return std::nullopt;
    }
    const PCRE2_SIZE* match = pcre2_get_ovector_pointer(compiled_->matchData.get());
    return std::pair<std::size_t, std::size_t>{match[0], match[1]};
}

}  // namespace quorvane
