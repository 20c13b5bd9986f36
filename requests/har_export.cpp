#include "requests/har_export.h"

#include <glib.h>

#include <cmath>
#include <nlohmann/json.hpp>

#include "base/ascii.h"
#include "requests/request_columns.h"

namespace quorvane {
namespace {

using nlohmann::json;

bool IsCredential(std::string_view name) {
    return EqualsNoCase(name, "Cookie") || EqualsNoCase(name, "Set-Cookie") ||
           EqualsNoCase(name, "Authorization") || EqualsNoCase(name, "Proxy-Authorization");
}

json HeadersJson(const HttpHeaders& headers, bool includeCredentials) {
    json lines = json::array();
    for (const HttpHeader& line : headers) {
        if (includeCredentials || !IsCredential(line.name)) {
            lines.push_back({{"name", line.name}, {"value", line.value}});
        }
    }
    return lines;
}

std::string Trimmed(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(' ');
    const std::size_t end = text.find_last_not_of(' ');
    return begin == std::string_view::npos ? std::string()
                                           : std::string(text.substr(begin, end - begin + 1));
}

// "a=1; b=2" of a Cookie line, or "a=1; Path=/" of a Set-Cookie line (its first pair).
void AddCookies(json& cookies, std::string_view text, bool firstOnly) {
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(';'), text.size());
        const std::string_view pair = text.substr(0, end);
        const std::size_t equals = pair.find('=');
        if (equals != std::string_view::npos) {
            cookies.push_back({{"name", Trimmed(pair.substr(0, equals))},
                               {"value", Trimmed(pair.substr(equals + 1))}});
        }
        if (firstOnly) {
            return;
        }
        text.remove_prefix(std::min(end + 1, text.size()));
    }
}

json CookiesJson(const HttpHeaders& headers, std::string_view name, bool include) {
    json cookies = json::array();
    for (const HttpHeader& line : headers) {
        if (include && EqualsNoCase(line.name, name)) {
            AddCookies(cookies, line.value, EqualsNoCase(name, "Set-Cookie"));
        }
    }
    return cookies;
}

json QueryJson(const std::string& address) {
    json pairs = json::array();
    const std::size_t query = address.find('?');
    if (query == std::string::npos) {
        return pairs;
    }
    std::string_view text(address);
    text = text.substr(query + 1, text.find('#', query) - query - 1);
    while (!text.empty()) {
        const std::string_view pair = text.substr(0, text.find('&'));
        const std::size_t equals = pair.find('=');
        pairs.push_back(
            {{"name", std::string(pair.substr(0, equals))},
             {"value", equals == std::string_view::npos ? std::string()
                                                        : std::string(pair.substr(equals + 1))}});
        text.remove_prefix(std::min(pair.size() + 1, text.size()));
    }
    return pairs;
}

double Ms(double from, std::optional<double> to) {
    return to ? std::round((*to - from) * 1e6) / 1e3 : -1.0;
}

json RequestJson(const RequestRow& row, bool credentials) {
    return {{"method", row.method},
            {"url", row.address},
            {"httpVersion", ""},
            {"cookies", CookiesJson(row.requestHeaders, "Cookie", credentials)},
            {"headers", HeadersJson(row.requestHeaders, credentials)},
            {"queryString", QueryJson(row.address)},
            {"headersSize", -1},
            {"bodySize", row.method == "GET" || row.method == "HEAD" ? 0 : -1}};
}

json ResponseJson(const RequestLog& log, const RequestRow& row, bool credentials) {
    const std::string redirectUrl =
        row.redirectedTo ? log.Rows()[*row.redirectedTo].address : std::string();
    const json size = row.decodedBytes ? json(*row.decodedBytes) : json(-1);
    return {{"status", row.status},
            {"statusText", row.statusText},
            {"httpVersion", ""},
            {"cookies", CookiesJson(row.responseHeaders, "Set-Cookie", credentials)},
            {"headers", HeadersJson(row.responseHeaders, credentials)},
            {"content", {{"size", size}, {"mimeType", row.mimeType}}},
            {"redirectURL", redirectUrl},
            {"headersSize", -1},
            {"bodySize", row.wireBytes ? json(*row.wireBytes) : json(-1)}};
}

// Send is not told apart from the wait; what is unknown is -1, as the format has it.
json TimingsJson(const RequestRow& row) {
    const double wait = Ms(row.startSeconds, row.firstByteSeconds);
    const double receive =
        row.firstByteSeconds && row.endSeconds ? Ms(*row.firstByteSeconds, row.endSeconds) : 0;
    return {{"blocked", -1},
            {"dns", -1},
            {"connect", -1},
            {"ssl", -1},
            {"send", 0},
            {"wait", std::max(wait, 0.0)},
            {"receive", std::max(receive, 0.0)}};
}

json EntryJson(const HarHeading& heading, const RequestLog& log, std::size_t place) {
    const RequestRow& row = log.Rows()[place];
    json entry = {{"pageref", "page_1"},
                  {"startedDateTime", HarTime(row.startSeconds)},
                  {"time", std::max(Ms(row.startSeconds, row.endSeconds), 0.0)},
                  {"request", RequestJson(row, heading.includeCredentials)},
                  {"response", ResponseJson(log, row, heading.includeCredentials)},
                  {"cache", json::object()},
                  {"timings", TimingsJson(row)},
                  {"_kind", RequestKind(row)},
                  {"_thirdParty", log.ThirdParty(row)}};
    if (row.frame) {
        entry["_frame"] = *row.frame;
    }
    if (row.stage == RequestRow::Stage::Failed) {
        entry["_failure"] = row.failure;
    }
    if (row.headersCut) {
        entry["_headersCut"] = true;
    }
    return entry;
}

}  // namespace

std::string HarTime(double seconds) {
    const auto allMillis = static_cast<gint64>(std::floor(seconds * 1000));
    const gint64 whole = allMillis / 1000;
    const int millis = static_cast<int>(allMillis % 1000);
    GDateTime* time = g_date_time_new_from_unix_utc(whole);
    gchar* text = g_date_time_format(time, "%Y-%m-%dT%H:%M:%S");
    char fraction[8];
    g_snprintf(fraction, sizeof fraction, ".%03dZ", millis);
    std::string result = std::string(text) + fraction;
    g_free(text);
    g_date_time_unref(time);
    return result;
}

std::string RequestsHar(const HarHeading& heading, const RequestLog& log) {
    json entries = json::array();
    for (std::size_t place = 0; place < log.Rows().size(); ++place) {
        entries.push_back(EntryJson(heading, log, place));
    }
    const double start = log.Rows().empty() ? 0 : log.Rows().front().startSeconds;
    json page = {{"startedDateTime", HarTime(start)},
                 {"id", "page_1"},
                 {"title", heading.pageTitle.empty() ? heading.pageAddress : heading.pageTitle},
                 {"pageTimings", {{"onContentLoad", -1}, {"onLoad", -1}}}};
    const json root = {{"log",
                        {{"version", "1.2"},
                         {"creator", {{"name", "Quorvane"}, {"version", heading.creatorVersion}}},
                         {"pages", json::array({page})},
                         {"entries", entries}}}};
    return root.dump(1, '\t', false, json::error_handler_t::replace) + "\n";
}

}  // namespace quorvane
