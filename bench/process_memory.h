#pragma once

namespace quorvane::bench {

// The memory of this process and of every process it started, the engine's among them,
// in megabytes: the sum of their peaks, of what they hold now, and of their proportional
// shares (a page shared by n processes counting 1/n in each).
struct ProcessMemory {
    double peakMb = 0;
    double residentMb = 0;
    double proportionalMb = 0;
    int processes = 0;
};

ProcessMemory MemoryOfAllProcesses();

}  // namespace quorvane::bench
