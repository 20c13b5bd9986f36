#include "engine/load_failure.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(LoadFailureReason, SaysInPlainWordsWhatWentWrong) {
    constexpr char kRefused[] = "The server refused the connection.";
    constexpr char kNoName[] = "No server of that name could be found.";
    constexpr char kSlow[] = "The server took too long to answer.";
    constexpr char kTls[] =
        "The site's security certificate could not be trusted, so nothing was loaded from it.";
    // reason: nullptr when the load ended on purpose and gets no error page.
    struct Row {
        LoadError error;
        const char* reason;
    } rows[] = {
        {{"g-io-error-quark", 39, "Error connecting: Connection refused"}, kRefused},
        {{"soup_http_error_quark", 4, "Could not connect: Connection refused"}, kRefused},
        {{"g-resolver-error-quark", 0, "Error resolving \"nowhere.invalid\""}, kNoName},
        {{"soup_http_error_quark", 2, "Cannot resolve hostname"}, kNoName},
        {{"g-io-error-quark", 24, "Socket I/O timed out"}, kSlow},
        {{"g-tls-error-quark", 3, "Unacceptable TLS certificate"}, kTls},
        {{"soup_http_error_quark", 6, "SSL handshake failed"}, kTls},
        {{"g-io-error-quark", 43, "Host unreachable"}, "The server could not be reached."},
        {{"WebKitNetworkError", 399, "Something else"}, "Something else"},
        {{"WebKitNetworkError", 399, ""}, "The page could not be loaded."},
        {{"WebKitPolicyError", 103, "Not allowed to use restricted network port"},
         "The connection was refused: that port is kept for services other than the web."},
        {{"WebKitNetworkError", 302, "Load request cancelled"}, nullptr},
        {{"WebKitPolicyError", 102, "Frame load was interrupted"}, nullptr},
        {{"WebKitPluginError", 204, "Plug-in handled load"}, nullptr},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ShowsErrorPage(row.error), row.reason != nullptr) << row.error.message;
        if (row.reason != nullptr) {
            EXPECT_EQ(LoadFailureReason(row.error), row.reason) << row.error.message;
        }
    }
    EXPECT_EQ(LoadFailureMessage("http://host/", kRefused),
              "Could not open http://host/: The server refused the connection.");
}

// The address is the user's or a page's: none of it may become markup of the error page.
TEST(ErrorPageHtml, NamesTheAddressAndReasonWithNothingOfThemLive) {
    const std::string page =
        ErrorPageHtml("http://h/\"><script>x()</script>?a=1&b='2'", "No <b>server</b>.");
    EXPECT_NE(page.find("<p class=\"address\">http://h/&quot;&gt;&lt;script&gt;x()&lt;/script&gt;"
                        "?a=1&amp;b=&#39;2&#39;</p>"),
              std::string::npos);
    EXPECT_NE(page.find("<p>No &lt;b&gt;server&lt;/b&gt;.</p>"), std::string::npos);
    EXPECT_NE(page.find("href=\"http://h/&quot;&gt;&lt;script&gt;"), std::string::npos);
    EXPECT_EQ(page.find("<script"), std::string::npos);
    EXPECT_NE(page.find(">Try Again</a>"), std::string::npos);
}

}  // namespace
}  // namespace quorvane
