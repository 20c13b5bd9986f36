#include "analysis/url_helpers.h"

#include <gtest/gtest.h>

#include "base/address_scheme.h"

namespace quorvane {
namespace {

struct Row {
    const char* argument;
    const char* result;
};

TEST(UrlDirectory, CutsAfterTheLastSlashAndClimbsFromADirectory) {
    const Row rows[] = {
        {"http://host/dir/page.html", "http://host/dir/"},
        {"http://host/dir/", "http://host/"},
        {"http://host/dir", "http://host/"},
        {"http://host", "host/"},
        {"http://host/", "host/"},
        {"host/a/b.html", "host/a/"},
        {"HTTP://host/a/b.html", "http://host/a/"},
        {"http://host/a.asp?u=x/y", "http://host/a.asp?u=x/"},
        {"", "/"},
        {"host//", "host/"},  // only one trailing slash goes
        // Another scheme stays; its bare host is the top and is no "https://".
        {"https://host/dir/page.html", "https://host/dir/"},
        {"https://host/dir/", "https://host/"},
        {"https://host/", "https://host/"},
        {"https://host", "https://host/"},
        {"file:///usr/lib/q/home.html", "file:///usr/lib/q/"},
        {"file:///home.html", "file:///"},
        // Only a leading scheme counts: one in the query is part of the path.
        {"https://h/p?u=http://x/y", "https://h/p?u=http://x/"},
        {"HTTP://h/p?u=http://x/y", "http://h/p?u=http://x/"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(GetUrlDirectory(row.argument), row.result) << row.argument;
    }
}

TEST(UrlFileName, KeepsTheLastSegmentWithoutBorderAndQuotes) {
    const Row rows[] = {
        {"http://host/img/logo.gif", "logo.gif"},
        {"logo.gif", "logo.gif"},
        {"img/", ""},
        {"img/logo.gif border=0", "logo.gif0"},
        {"img/\"logo.gif\"", "logo.gif"},
        {"", ""},
        {"http://host", "host"},
        {"a/b BORDER=1", "b1"},
        {"img/xHTTP://logo.gif", "xlogo.gif"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(GetUrlFileName(row.argument), row.result) << row.argument;
    }
}

TEST(SchemePrefix, IsALetterThenSchemeCharactersThenColonSlashSlash) {
    const struct {
        const char* address;
        std::size_t length;
    } rows[] = {
        {"http://host", 7}, {"HTTPS://host", 8},
        {"file:///x", 7},   {"svn+ssh://h", 10},
        {"host/a.gif", 0},  {"host:8080/x", 0},
        {"1http://h", 0},   {"://h", 0},
        {"mailto:a@b", 0},  {"", 0},
        {"a b://h", 0},     {"x-y.z://", 8},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(SchemePrefixLength(row.address), row.length) << row.address;
    }
}

}  // namespace
}  // namespace quorvane
