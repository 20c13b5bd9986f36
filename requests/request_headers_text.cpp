#include "requests/request_headers_text.h"

#include <vector>

#include "requests/request_columns.h"

namespace quorvane {
namespace {

void AddLines(std::string& text, const char* heading, const HttpHeaders& headers) {
    text += "\n";
    text += heading;
    text += "\n";
    for (const HttpHeader& line : headers) {
        text += line.name + ": " + line.value + "\n";
    }
}

std::string Chain(const RequestLog& log, std::size_t place) {
    std::vector<std::size_t> before;
    for (auto from = log.Rows()[place].redirectedFrom; from;
         from = log.Rows()[*from].redirectedFrom) {
        before.insert(before.begin(), *from);
    }
    std::string text;
    for (const std::size_t step : before) {
        text +=
            std::to_string(log.Rows()[step].status) + " " + log.Rows()[step].address + " \u2192 ";
    }
    return text.empty() ? text : "Redirected: " + text + "here\n";
}

}  // namespace

std::string RequestHeadersText(const RequestLog& log, std::size_t place) {
    if (place >= log.Rows().size()) {
        return {};
    }
    const RequestRow& row = log.Rows()[place];
    std::string text = RequestCell(log, place, RequestColumn::Status) + "  " + row.method + " " +
                       row.address + "\n" + Chain(log, place);
    if (row.redirectedTo) {
        text += "Led on to: " + log.Rows()[*row.redirectedTo].address + "\n";
    }
    AddLines(text, "Response headers", row.responseHeaders);
    AddLines(text, "Request headers", row.requestHeaders);
    if (row.headersCut) {
        text += "\nSome header lines were cut or left out: they were too long or too many.\n";
    }
    return text;
}

std::string MainDocumentHeadersText(const RequestLog& log) {
    for (std::size_t place = 0; place < log.Rows().size(); ++place) {
        const RequestRow& row = log.Rows()[place];
        if (row.mainDocument && !row.redirectedTo) {
            return RequestHeadersText(log, place);
        }
    }
    return {};
}

}  // namespace quorvane
