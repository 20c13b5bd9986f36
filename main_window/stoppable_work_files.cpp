#include "main_window/stoppable_work_files.h"

namespace quorvane {

void StoppableWorkFiles::WriteFile(const std::string& path, const TextProducer& produce) {
    ThrowIfStopped();
    WorkFileWriter::WriteFile(path, [&](const PieceWriter& write) {
        produce([&](std::string_view piece) {
            ThrowIfStopped();
            write(piece);
        });
    });
}

void StoppableWorkFiles::ThrowIfStopped() const {
    if (stop_.stop_requested()) {
        throw RunStopped();
    }
}

}  // namespace quorvane
