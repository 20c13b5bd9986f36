#include <gtest/gtest.h>
#include <libxml/HTMLparser.h>

#include <memory>
#include <set>

#include "analysis/page_analysis.h"
#include "tests/support/temp_folder.h"

namespace quorvane {
namespace {

struct Markup {
    std::vector<std::string> elements;
    std::vector<std::string> attributes;  // name=value
};

void Collect(xmlNode* node, Markup& markup) {
    for (; node != nullptr; node = node->next) {
        if (node->type == XML_ELEMENT_NODE) {
            markup.elements.emplace_back(reinterpret_cast<const char*>(node->name));
            for (xmlAttr* attribute = node->properties; attribute != nullptr;
                 attribute = attribute->next) {
                xmlChar* value = xmlNodeGetContent(reinterpret_cast<xmlNode*>(attribute));
                markup.attributes.push_back(
                    std::string(reinterpret_cast<const char*>(attribute->name)) + "=" +
                    (value ? reinterpret_cast<const char*>(value) : ""));
                xmlFree(value);
            }
        }
        Collect(node->children, markup);
    }
}

// The elements and attributes a browser would build from a generated page.
Markup ParseMarkup(const std::string& page) {
    const std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> document(
        htmlReadMemory(page.data(), static_cast<int>(page.size()), nullptr, "UTF-8",
                       HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET),
        &xmlFreeDoc);
    Markup markup;
    if (document != nullptr) {
        Collect(xmlDocGetRootElement(document.get()), markup);
    }
    return markup;
}

// Only what the analysis inserts may be live: anchors, pictures, line breaks (and the
// document and paragraph elements the parser adds around them), and no event handler
// or style with a value. (A name wrapped twice leaves the rest of an address between
// the attributes of a tag; names without a value there do nothing.)
void ExpectOnlyInsertedMarkup(const std::string& page, const std::string& what) {
    const std::set<std::string> inserted = {"html", "body", "p", "a", "img", "br"};
    const Markup markup = ParseMarkup(page);
    for (const std::string& element : markup.elements) {
        EXPECT_TRUE(inserted.count(element) != 0) << element << " in " << what << ": " << page;
    }
    for (const std::string& attribute : markup.attributes) {
        const bool handlerOrStyle =
            attribute.rfind("on", 0) == 0 || attribute.rfind("style=", 0) == 0;
        EXPECT_FALSE(handlerOrStyle && attribute.back() != '=')
            << attribute << " in " << what << ": " << page;
    }
}

TEST(HostilePages, NoMarkupOfThePageBecomesLiveInEitherView) {
    struct Row {
        std::string body;
        std::string pageAddress = "http://host/dir/page.html";
    } rows[] = {
        {"<img src=\"<svg/onload=alert(1)//x.gif\">"},
        {"<img src=\"<script>alert(1)</script>.gif\">"},
        {"<a href=\"<iframe/src=javascript:alert(1)>.gif\">x</a>"},
        {"<img src=\"a b onerror=alert(1) c.gif\">"},
        {"<img src='x.gif'>", "http://host/x'onmouseover='alert(1)'/page.html"},
        {"<a href='a.gif'>a</a>", "http://host/x'><svg onload=alert(1)>/p.html"},
        // Both pairs name a.gif: the image's anchor is wrapped into the link's address.
        {"<a href=\"a.gif\">a</a><img src=\"x/onmouseover=alert(1)//a.gif\">"},
        {"<a href=\"a.gif\">a</a><img src=\"x onmouseover=alert(1) /a.gif\">"},
        {"<a href=\"<b>.gif\">x</a><img src=\"q/<b\">"},
        {"<img src='<img src=x onerror=alert(1)>'>"},
        // A ">" kept in an address that a later pass splits ends that tag early.
        {"<a href=\"a.gif\">a</a><img src=\"a.gif\">",
         "http://host/x>y onmouseover=alert(1) <svg onload=alert(1)>/p.html"},
    };
    for (const Row& row : rows) {
        TempFolder folder;
        AnalysisLists lists;
        const AnalysedPage page = AnalysePageText(folder.Path(), row.body, row.pageAddress, lists);
        ExpectOnlyInsertedMarkup(folder.Read("/source.htm"), "source view of " + row.body);
        ExpectOnlyInsertedMarkup(folder.Read("/imagepage.html"), "image page of " + row.body);
    }
}

TEST(HostilePages, TheCheckSeesLiveMarkupWhereThereIsSome) {
    // Guards the check itself: unescaped page markup must be caught.
    EXPECT_EQ(ParseMarkup("<a href='x'>y</a><svg onload=alert(1)>").elements.back(), "svg");
    EXPECT_EQ(ParseMarkup("<a href='x' onmouseover='y'>z</a>").attributes.back(), "onmouseover=y");
}

}  // namespace
}  // namespace quorvane
