#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/file_name_linker.h"
#include "analysis/saturating_size.h"

namespace quorvane {

// The linking as the source view describes it, one whole-text pass per entry, written
// as plainly as it can be: the reference that LinkFileNames must agree with.
inline LinkedText LinkFileNamesPassByPass(std::string text, const std::vector<LinkPass>& passes,
                                          std::size_t maxSize = SIZE_MAX) {
    for (std::size_t j = 0; j < passes.size(); ++j) {
        const std::string name(passes[j].name);
        if (name.empty()) {
            continue;
        }
        std::vector<std::size_t> starts;
        for (std::size_t at = text.find(name); at != std::string::npos;
             at = text.find(name, at + name.size())) {
            starts.push_back(at);
        }
        if (starts.empty()) {
            continue;
        }
        const std::string anchor = AnchorFor(passes[j]);
        if (SaturatingAdd(text.size(), SaturatingMultiply(starts.size(),
                                                          anchor.size() - name.size())) > maxSize) {
            return {std::move(text), j};
        }
        std::string linked;
        std::size_t copied = 0;
        for (const std::size_t at : starts) {
            linked += text.substr(copied, at - copied) + anchor;
            copied = at + name.size();
        }
        linked += text.substr(copied);
        text = std::move(linked);
    }
    return {std::move(text), passes.size()};
}

}  // namespace quorvane
