#include "saving/served_source_file_name.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(ServedSourceFileName, IsThePageNameOfTheAddress) {
    const struct {
        const char* address;
        const char* mimeType;
        const char* name;
    } rows[] = {
        {"http://host/dir/page.html", "text/html", "page.html"},
        {"http://host/dir/page.php?id=3#top", "text/html", "page.php"},
        {"http://host/dir/", "text/html", "index.html"},
        {"http://host", "text/html", "index.html"},
        {"http://host/news", "text/html", "news.html"},
        {"http://host/my%20page.htm", "text/html", "my page.htm"},
        {"http://host/logo", "image/png", "logo"},
        {"http://host/", "image/png", "index"},
        {"file:///home/u/a.html", "text/html", "a.html"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ServedSourceFileName(row.address, row.mimeType), row.name) << row.address;
    }
}

}  // namespace
}  // namespace quorvane
