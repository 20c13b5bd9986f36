#include "inspection/markup_tokens.h"

#include <gtest/gtest.h>

#include <stop_token>
#include <string>
#include <vector>

namespace quorvane {
namespace {

// Each token as "Kind(its bytes)", " open" when the text ended inside it and " closes"
// when "/>" closes it.
std::vector<std::string> Tokens(std::string_view html) {
    std::vector<std::string> tokens;
    std::size_t covered = 0;
    ForEachToken(html, [&](const MarkupToken& token) {
        static constexpr const char* kNames[] = {"Text",    "Start",       "End",
                                                 "Comment", "Declaration", "Raw"};
        EXPECT_EQ(token.begin, covered) << "every byte is in exactly one token";
        covered = token.end;
        std::string shown = std::string(kNames[static_cast<int>(token.kind)]) + "(" +
                            std::string(html.substr(token.begin, token.end - token.begin)) + ")";
        tokens.push_back(shown + (token.unclosed ? " open" : "") +
                         (token.closesItself ? " closes" : ""));
    });
    EXPECT_EQ(covered, html.size());
    return tokens;
}

using Rows = std::vector<std::pair<std::string, std::vector<std::string>>>;

void ExpectTokens(const Rows& rows) {
    for (const auto& [html, tokens] : rows) {
        EXPECT_EQ(Tokens(html), tokens) << html;
    }
}

// The script data states, with the cases browsers' parsers are checked with.
TEST(MarkupTokens, EndAScriptWhereTheScriptDataStatesEndIt) {
    ExpectTokens({
        {"FOO<script>'Hello'</script>BAR",
         {"Text(FOO)", "Start(<script>)", "Raw('Hello')", "End(</script>)", "Text(BAR)"}},
        {"<script></scriptx>BAR", {"Start(<script>)", "Raw(</scriptx>BAR) open"}},
        {"<script></script >BAR", {"Start(<script>)", "Raw()", "End(</script >)", "Text(BAR)"}},
        {"<script></script/>BAR", {"Start(<script>)", "Raw()", "End(</script/>)", "Text(BAR)"}},
        {"<script></SCRIPT foo=\">\" dd>BAR",
         {"Start(<script>)", "Raw()", "End(</SCRIPT foo=\">\" dd>)", "Text(BAR)"}},
        {"<script>'<'</script>", {"Start(<script>)", "Raw('<')", "End(</script>)"}},
        {"<script>'<!'</script>", {"Start(<script>)", "Raw('<!')", "End(</script>)"}},
        {"<script>'<!-'</script>", {"Start(<script>)", "Raw('<!-')", "End(</script>)"}},
        // An escape ("<!--") alone still ends at "</script>".
        {"<script>'<!--'</script>", {"Start(<script>)", "Raw('<!--')", "End(</script>)"}},
        {"<script>'<!-->'</script>", {"Start(<script>)", "Raw('<!-->')", "End(</script>)"}},
        {"<script>'<!-- potato'</script>",
         {"Start(<script>)", "Raw('<!-- potato')", "End(</script>)"}},
        {"<script>'<!-- <sCrIpt'</script>",
         {"Start(<script>)", "Raw('<!-- <sCrIpt')", "End(</script>)"}},
        {"<script>'<!-- <sCrIpt\\'</script>",
         {"Start(<script>)", "Raw('<!-- <sCrIpt\\')", "End(</script>)"}},
        // A "<script" inside it makes the escape double: "</script>" goes back to the
        // single escape, and only the next one ends the script.
        {"<script>'<!-- <sCrIpt>'</script>BAR",
         {"Start(<script>)", "Raw('<!-- <sCrIpt>'</script>BAR) open"}},
        {"<script>'<!-- <sCrIpt> -'</script>BAR",
         {"Start(<script>)", "Raw('<!-- <sCrIpt> -'</script>BAR) open"}},
        {"<script>'<!-- <sCrIpt> --'</script>BAR",
         {"Start(<script>)", "Raw('<!-- <sCrIpt> --'</script>BAR) open"}},
        {"<script>'<!-- <sCrIpt> --!>'</script>BAR",
         {"Start(<script>)", "Raw('<!-- <sCrIpt> --!>'</script>BAR) open"}},
        {"<script>'<!-- <sCrIpt> -- >'</script>BAR",
         {"Start(<script>)", "Raw('<!-- <sCrIpt> -- >'</script>BAR) open"}},
        {"<script>'<!-- <sCrIpt '</script>BAR",
         {"Start(<script>)", "Raw('<!-- <sCrIpt '</script>BAR) open"}},
        {"<script>'<!-- <sCrIpt/'</script>BAR",
         {"Start(<script>)", "Raw('<!-- <sCrIpt/'</script>BAR) open"}},
        {"<script>'<!-- <sCrIpt/'</script>BAR</script>QUX",
         {"Start(<script>)", "Raw('<!-- <sCrIpt/'</script>BAR)", "End(</script>)", "Text(QUX)"}},
        // "-->" ends the escape, double or not.
        {"<script>'<!-- <sCrIpt> -->'</script>BAR",
         {"Start(<script>)", "Raw('<!-- <sCrIpt> -->')", "End(</script>)", "Text(BAR)"}},
        {"<script><!--<script>-></script>--></script>QUX",
         {"Start(<script>)", "Raw(<!--<script>-></script>-->)", "End(</script>)", "Text(QUX)"}},
        {"<script><!--<script></script><script></script></script>",
         {"Start(<script>)", "Raw(<!--<script></script><script></script>)", "End(</script>)"}},
        // Old ad code: the written script's end tag is the script's own text.
        {"<script><!--\ndocument.write(\"<script src='x.js'></script>\");\n//--></script><p>",
         {"Start(<script>)", "Raw(<!--\ndocument.write(\"<script src='x.js'></script>\");\n//-->)",
          "End(</script>)", "Start(<p>)"}},
        {"<script>a = \"</script>\";</script>",
         {"Start(<script>)", "Raw(a = \")", "End(</script>)", "Text(\";)", "End(</script>)"}},
        {"<script>x</script", {"Start(<script>)", "Raw(x</script) open"}},
        {"<script>", {"Start(<script>)", "Raw() open"}},
    });
}

TEST(MarkupTokens, ReadTheContentOfTextElementsToTheirEndTag) {
    ExpectTokens({
        // RCDATA and RAWTEXT know no escapes: the first end tag of the element ends it.
        {"<xmp>foo<!--</xmp>--></xmp>",
         {"Start(<xmp>)", "Raw(foo<!--)", "End(</xmp>)", "Text(-->)", "End(</xmp>)"}},
        {"<xmp>foo<!-->baz</xmp>", {"Start(<xmp>)", "Raw(foo<!-->baz)", "End(</xmp>)"}},
        {"<title><b>a</b></title >", {"Start(<title>)", "Raw(<b>a</b>)", "End(</title >)"}},
        {"<textarea></textareax><a href=x></TEXTAREA>",
         {"Start(<textarea>)", "Raw(</textareax><a href=x>)", "End(</TEXTAREA>)"}},
        {"<style>a>b{}</style>", {"Start(<style>)", "Raw(a>b{})", "End(</style>)"}},
        {"<iframe><p></iframe>", {"Start(<iframe>)", "Raw(<p>)", "End(</iframe>)"}},
        {"<noembed><p></noembed>", {"Start(<noembed>)", "Raw(<p>)", "End(</noembed>)"}},
        {"<noframes><p></noframes>", {"Start(<noframes>)", "Raw(<p>)", "End(</noframes>)"}},
        // With scripting on, as in the Browser view, noscript holds text.
        {"<noscript><img src=a></noscript>",
         {"Start(<noscript>)", "Raw(<img src=a>)", "End(</noscript>)"}},
        {"<plaintext>a</plaintext><b>", {"Start(<plaintext>)", "Raw(a</plaintext><b>) open"}},
        {"<title>x</title", {"Start(<title>)", "Raw(x</title) open"}},
        // listing and pre hold markup.
        {"<listing><b>", {"Start(<listing>)", "Start(<b>)"}},
    });
}

TEST(MarkupTokens, ReadCommentsTagsAndBogusCommentsAsBrowsersDo) {
    ExpectTokens({
        {"<!-->x", {"Comment(<!-->)", "Text(x)"}},
        {"<!--->x", {"Comment(<!--->)", "Text(x)"}},
        {"<!---->x", {"Comment(<!---->)", "Text(x)"}},
        {"<!-- a --!>x", {"Comment(<!-- a --!>)", "Text(x)"}},
        {"<!-- a --!-->x", {"Comment(<!-- a --!-->)", "Text(x)"}},
        {"<!--x--", {"Comment(<!--x--) open"}},
        {"<!DOCTYPE html PUBLIC \"a>b\">",
         {"Declaration(<!DOCTYPE html PUBLIC \"a>)", "Text(b\">)"}},
        {"<?xml x?><!x>", {"Declaration(<?xml x?>)", "Declaration(<!x>)"}},
        // "</" not followed by a letter opens a bogus comment, "</>" is nothing at all.
        {"</ <a href=x>y", {"Declaration(</ <a href=x>)", "Text(y)"}},
        {"</>y", {"Declaration(</>)", "Text(y)"}},
        {"a</", {"Text(a)", "Text(</)"}},
        {"a < b <3 <", {"Text(a )", "Text(< b )", "Text(<3 )", "Text(<)"}},
        {"<a href=\"x", {"Start(<a href=\"x) open"}},
        // "/>" closes only SVG and MathML elements; "x/" is an unquoted value.
        {"<pre/><br/><a href=x/>", {"Start(<pre/>)", "Start(<br/>)", "Start(<a href=x/>)"}},
        {"<svg/><svg><path d=x/><path/><title>a<x></title></svg><title>c<d>",
         {"Start(<svg/>) closes", "Start(<svg>)", "Start(<path d=x/>)", "Start(<path/>) closes",
          "Start(<title>)", "Text(a)", "Start(<x>)", "End(</title>)", "End(</svg>)",
          "Start(<title>)", "Raw(c<d>) open"}},
        // A CDATA section only in SVG and MathML; an HTML element ends them.
        {"<math><![CDATA[a>b]]></math><![CDATA[a>b]]>",
         {"Start(<math>)", "Declaration(<![CDATA[a>b]]>)", "End(</math>)",
          "Declaration(<![CDATA[a>)", "Text(b]]>)"}},
        {"<svg><p><style>a<b></style>",
         {"Start(<svg>)", "Start(<p>)", "Start(<style>)", "Raw(a<b>)", "End(</style>)"}},
    });
}

// A scan no one waits for any more ends at the token where its stop is asked.
TEST(MarkupTokens, NoTokenFollowsTheStop) {
    const std::string html = "<p>a<b>c</b></p>";  // six tokens
    for (const std::size_t stopAfter : {0U, 1U, 3U, 6U}) {
        std::stop_source stop;
        if (stopAfter == 0) {
            stop.request_stop();
        }
        std::size_t tokens = 0;
        ForEachToken(
            html,
            [&](const MarkupToken&) {
                if (++tokens == stopAfter) {
                    stop.request_stop();
                }
            },
            stop.get_token());
        EXPECT_EQ(tokens, stopAfter);
    }
}

}  // namespace
}  // namespace quorvane
