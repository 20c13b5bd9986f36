#include "requests/har_bodies.h"

#include <unordered_set>

#include "requests/request_columns.h"

namespace quorvane {
namespace {

bool HasBody(const RequestRow& row) {
    return row.stage == RequestRow::Stage::Finished && ShowsAsText(row);
}

}  // namespace

std::vector<HarBodies::ToRead> HarBodies::FilesToRead(const RequestLog& log) {
    std::vector<ToRead> files;
    std::unordered_set<std::string> seen;
    for (const RequestRow& row : log.Rows()) {
        if (HasBody(row) && seen.insert(row.address).second) {
            files.push_back({row.address, row.mimeType});
        }
    }
    return files;
}

void HarBodies::Add(const std::string& address, std::optional<std::string> text) {
    if (!text) {
        bodies_[address] = {.comment = "The browser no longer holds this file's body."};
    } else if (full_ || text->size() > maxBytes_ - bytes_) {
        LeaveOut(address);
    } else {
        bytes_ += text->size();
        bodies_[address] = {.text = std::move(text)};
    }
}

void HarBodies::LeaveOut(const std::string& address) {
    full_ = true;
    bodies_[address] = {.comment =
                            "Left out: the text bodies written before it reached the "
                            "bound of " +
                            std::to_string(maxBytes_) + " bytes."};
}

const HarBody* HarBodies::Of(const RequestRow& row) const {
    if (!HasBody(row)) {
        return nullptr;
    }
    const auto body = bodies_.find(row.address);
    return body == bodies_.end() ? nullptr : &body->second;
}

}  // namespace quorvane
