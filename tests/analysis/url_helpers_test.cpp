#include "analysis/url_helpers.h"

#include <gtest/gtest.h>

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
    };
    for (const Row& row : rows) {
        EXPECT_EQ(GetUrlFileName(row.argument), row.result) << row.argument;
    }
}

}  // namespace
}  // namespace quorvane
