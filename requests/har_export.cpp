#include "requests/har_export.h"

#include <glib.h>

#include <cmath>

#include "base/ascii.h"
#include "requests/json_writer.h"
#include "requests/request_columns.h"

namespace quorvane {
namespace {

bool IsCredential(std::string_view name) {
    return EqualsNoCase(name, "Cookie") || EqualsNoCase(name, "Set-Cookie") ||
           EqualsNoCase(name, "Authorization") || EqualsNoCase(name, "Proxy-Authorization");
}

void WriteHeaders(JsonWriter& out, const HttpHeaders& headers, bool includeCredentials) {
    out.OpenArray();
    for (const HttpHeader& line : headers) {
        if (includeCredentials || !IsCredential(line.name)) {
            out.OpenObject().Text("name", line.name).Text("value", line.value).Close();
        }
    }
    out.Close();
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(' ');
    const std::size_t end = text.find_last_not_of(' ');
    return begin == std::string_view::npos ? std::string_view()
                                           : text.substr(begin, end - begin + 1);
}

// "a=1; b=2" of a Cookie line, or "a=1; Path=/" of a Set-Cookie line (its first pair).
void WriteCookiePairs(JsonWriter& out, std::string_view text, bool firstOnly) {
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(';'), text.size());
        const std::string_view pair = text.substr(0, end);
        const std::size_t equals = pair.find('=');
        if (equals != std::string_view::npos) {
            out.OpenObject()
                .Text("name", Trimmed(pair.substr(0, equals)))
                .Text("value", Trimmed(pair.substr(equals + 1)))
                .Close();
        }
        if (firstOnly) {
            return;
        }
        text.remove_prefix(std::min(end + 1, text.size()));
    }
}

void WriteCookies(JsonWriter& out, const HttpHeaders& headers, std::string_view name,
                  bool include) {
    out.OpenArray();
    for (const HttpHeader& line : headers) {
        if (include && EqualsNoCase(line.name, name)) {
            WriteCookiePairs(out, line.value, EqualsNoCase(name, "Set-Cookie"));
        }
    }
    out.Close();
}

void WriteQuery(JsonWriter& out, std::string_view address) {
    out.OpenArray();
    const std::size_t query = address.find('?');
    std::string_view text;
    if (query != std::string_view::npos) {
        text = address.substr(query + 1, address.find('#', query) - query - 1);
    }
    while (!text.empty()) {
        const std::string_view pair = text.substr(0, text.find('&'));
        const std::size_t equals = pair.find('=');
        out.OpenObject()
            .Text("name", pair.substr(0, equals))
            .Text("value",
                  equals == std::string_view::npos ? std::string_view() : pair.substr(equals + 1))
            .Close();
        text.remove_prefix(std::min(pair.size() + 1, text.size()));
    }
    out.Close();
}

double Ms(double from, std::optional<double> to) {
    return to ? std::round((*to - from) * 1e6) / 1e3 : -1.0;
}

std::int64_t SizeOrUnknown(std::optional<std::uint64_t> bytes) {
    return bytes ? static_cast<std::int64_t>(*bytes) : -1;
}

void WriteRequest(JsonWriter& out, const RequestRow& row, bool credentials) {
    out.Key("request").OpenObject().Text("method", row.method).Text("url", row.address);
    out.Text("httpVersion", "").Key("cookies");
    WriteCookies(out, row.requestHeaders, "Cookie", credentials);
    out.Key("headers");
    WriteHeaders(out, row.requestHeaders, credentials);
    out.Key("queryString");
    WriteQuery(out, row.address);
    out.Integer("headersSize", -1)
        .Integer("bodySize", row.method == "GET" || row.method == "HEAD" ? 0 : -1)
        .Close();
}

void WriteResponse(JsonWriter& out, const RequestLog& log, const RequestRow& row, bool credentials,
                   const HarBodies* bodies) {
    const std::string_view redirectUrl =
        row.redirectedTo ? std::string_view(log.Rows()[*row.redirectedTo].address) : "";
    out.Key("response").OpenObject().Integer("status", row.status);
    out.Text("statusText", row.statusText).Text("httpVersion", "").Key("cookies");
    WriteCookies(out, row.responseHeaders, "Set-Cookie", credentials);
    out.Key("headers");
    WriteHeaders(out, row.responseHeaders, credentials);
    out.Key("content")
        .OpenObject()
        .Integer("size", SizeOrUnknown(row.decodedBytes))
        .Text("mimeType", row.mimeType);
    if (const HarBody* body = bodies != nullptr ? bodies->Of(row) : nullptr) {
        if (body->text) {
            out.Text("text", *body->text);
        }
        if (!body->comment.empty()) {
            out.Text("comment", body->comment);
        }
    }
    out.Close();
    out.Text("redirectURL", redirectUrl)
        .Integer("headersSize", -1)
        .Integer("bodySize", SizeOrUnknown(row.wireBytes))
        .Close();
}

// Send is not told apart from the wait; what is unknown is -1, as the format has it.
void WriteTimings(JsonWriter& out, const RequestRow& row) {
    const double wait = Ms(row.startSeconds, row.firstByteSeconds);
    const double receive =
        row.firstByteSeconds && row.endSeconds ? Ms(*row.firstByteSeconds, row.endSeconds) : 0;
    out.Key("timings")
        .OpenObject()
        .Integer("blocked", -1)
        .Integer("dns", -1)
        .Integer("connect", -1)
        .Integer("ssl", -1)
        .Integer("send", 0)
        .Number("wait", std::max(wait, 0.0))
        .Number("receive", std::max(receive, 0.0))
        .Close();
}

void WriteEntry(JsonWriter& out, const HarHeading& heading, const RequestLog& log,
                const RequestRow& row) {
    out.LineBreak().OpenObject().Text("pageref", "page_1");
    out.Text("startedDateTime", HarTime(row.startSeconds))
        .Number("time", std::max(Ms(row.startSeconds, row.endSeconds), 0.0));
    WriteRequest(out, row, heading.includeCredentials);
    WriteResponse(out, log, row, heading.includeCredentials, heading.bodies);
    out.Key("cache").OpenObject().Close();
    WriteTimings(out, row);
    out.Text("_kind", RequestKind(row)).Bool("_thirdParty", log.ThirdParty(row));
    if (row.frame) {
        out.Integer("_frame", static_cast<std::int64_t>(*row.frame));
    }
    if (row.stage == RequestRow::Stage::Failed) {
        out.Text("_failure", row.failure);
    }
    if (row.headersCut) {
        out.Bool("_headersCut", true);
    }
    out.Close();
}

void WriteLogHeading(JsonWriter& out, const HarHeading& heading, const RequestLog& log) {
    const double start = log.Rows().empty() ? 0 : log.Rows().front().startSeconds;
    out.OpenObject().Key("log").OpenObject().Text("version", "1.2");
    out.Key("creator")
        .OpenObject()
        .Text("name", "Quorvane")
        .Text("version", heading.creatorVersion)
        .Close();
    out.LineBreak().Key("pages").OpenArray().OpenObject();
    out.Text("startedDateTime", HarTime(start))
        .Text("id", "page_1")
        .Text("title", heading.pageTitle.empty() ? heading.pageAddress : heading.pageTitle);
    out.Key("pageTimings").OpenObject().Integer("onContentLoad", -1).Integer("onLoad", -1);
    out.Close().Close().Close();
}

// The pieces handed on are about this large: small enough to stay in the processor's
// caches, large enough that writing them costs few system calls.
constexpr std::size_t kPieceBytes = 256 * 1024;

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

void WriteRequestsHar(const HarHeading& heading, const RequestLog& log, const HarPieces& write) {
    std::string piece;
    piece.reserve(kPieceBytes * 2);
    JsonWriter out(piece);
    WriteLogHeading(out, heading, log);
    out.LineBreak().Key("entries").OpenArray();
    for (const RequestRow& row : log.Rows()) {
        WriteEntry(out, heading, log, row);
        if (piece.size() >= kPieceBytes) {
            write(piece);
            piece.clear();
        }
    }
    out.LineBreak().Close().Close().Close();
    piece += '\n';
    write(piece);
}

std::string RequestsHar(const HarHeading& heading, const RequestLog& log) {
    std::string whole;
    WriteRequestsHar(heading, log, [&whole](std::string_view piece) { whole += piece; });
    return whole;
}

}  // namespace quorvane
