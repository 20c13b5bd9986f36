#include "engine/address_to_load.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(AddressToLoad, LoadsPathsAsFileUrlsAndAddressesWithoutSchemeAsWebAddresses) {
    const struct {
        const char* given;
        const char* loaded;
    } rows[] = {
        {"/tmp/page.html", "file:///tmp/page.html"},
        {"/tmp/a b#c.html", "file:///tmp/a%20b%23c.html"},
        {"/tmp/\xc3\xbc.html", "file:///tmp/%C3%BC.html"},
        {"/tmp/x%y?.html", "file:///tmp/x%25y%3F.html"},
        {"http://host/page.html", "http://host/page.html"},
        {"HTTPS://host/", "HTTPS://host/"},
        {"file:///tmp/page.html", "file:///tmp/page.html"},
        {"about:blank", "about:blank"},
        {"example.com", "http://example.com"},
        {"host/page.html", "http://host/page.html"},
        {"localhost:8080/page", "http://localhost:8080/page"},
        {"127.0.0.1:8080", "http://127.0.0.1:8080"},
        {"", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(AddressToLoad(row.given), row.loaded) << row.given;
    }
}

TEST(TypedAddress, LoadsWithoutTheBlanksAroundAPastedAddress) {
    const struct {
        const char* typed;
        const char* loaded;
    } rows[] = {
        {"  http://host/a b.html\t", "http://host/a b.html"},
        {"\nexample.com \r\n", "http://example.com"},
        {" /tmp/page.html ", "file:///tmp/page.html"},
        {" \t ", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(AddressToLoad(TypedAddress(row.typed)), row.loaded) << row.typed;
    }
}

}  // namespace
}  // namespace quorvane
