#pragma once

#include <filesystem>
#include <string>

namespace quorvane {

// Why file cannot be written, in the system's words ("Permission denied"), judged on the
// file when it exists and otherwise on the nearest folder above it that does; "" when
// nothing on the way forbids it (the write failed for another reason).
std::string WhyNotWritable(const std::filesystem::path& file);

}  // namespace quorvane
