#include "requests/request_headers_text.h"

#include <vector>

#include "desktop/translation.h"
#include "requests/request_columns.h"

namespace quorvane {
namespace {

void AddLines(std::string& text, const std::string& heading, const HttpHeaders& headers) {
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
    std::string steps;
    for (const std::size_t step : before) {
        steps += (steps.empty() ? "" : " ") + std::to_string(log.Rows()[step].status) + " " +
                 log.Rows()[step].address + " \u2192";
    }
    return steps.empty() ? steps : Translated("Redirected: {1} here", {steps}) + "\n";
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
        text += Translated("Led on to: {1}", {log.Rows()[*row.redirectedTo].address}) + "\n";
    }
    AddLines(text, Translated("Response headers"), row.responseHeaders);
    AddLines(text, Translated("Request headers"), row.requestHeaders);
    if (row.headersCut) {
        text +=
            "\n" +
            Translated("Some header lines were cut or left out: they were too long or too many.") +
            "\n";
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
