#pragma once

#include <functional>
#include <vector>

#include <glib.h>
#include <sys/types.h>

namespace quorvane {

// The engine's network processes now running: the children of this process that the
// engine started under that name.
std::vector<pid_t> EngineNetworkProcesses();

// Tells once when one of the engine's network processes ends, whatever ended it (a crash,
// the kernel's out-of-memory killer). The engine itself says nothing then, and the
// downloads that process ran get neither "failed" nor "finished".
class NetworkProcessWatch {
  public:
    // Watches the network processes running now; ended runs on the main loop.
    explicit NetworkProcessWatch(std::function<void()> ended);
    ~NetworkProcessWatch();
    NetworkProcessWatch(const NetworkProcessWatch&) = delete;
    NetworkProcessWatch& operator=(const NetworkProcessWatch&) = delete;

    // False when there was none to watch, or it has ended.
    bool Watching() const { return !watched_.empty(); }

  private:
    struct Watched {
        int pidfd;
        guint source;
    };
    static gboolean OnEnded(gint fd, GIOCondition condition, gpointer self);
    void StopWatching();

    std::function<void()> ended_;
    std::vector<Watched> watched_;
};

}  // namespace quorvane
