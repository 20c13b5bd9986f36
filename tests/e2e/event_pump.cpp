#include "tests/e2e/event_pump.h"

#include <glib.h>
#include <gtk/gtk.h>
#include <wx/app.h>
#include <wx/toplevel.h>
#include <wx/utils.h>

#include <memory>

namespace quorvane::test {
namespace {

void RunPendingEvents() {
    while (g_main_context_pending(nullptr)) {
        g_main_context_iteration(nullptr, FALSE);
    }
    wxTheApp->ProcessPendingEvents();
    // Windows closed with Destroy() go at idle time.
    wxTheApp->ProcessIdle();
}

// An X window of the test's own, never shown, that tells when a property of its own
// changed. The X server sends that change after everything it sent the process before.
class InputMark {
  public:
    InputMark() : window_(gtk_window_new(GTK_WINDOW_POPUP)) {
        gtk_widget_add_events(window_, GDK_PROPERTY_CHANGE_MASK);
        gtk_widget_realize(window_);
        g_signal_connect(window_, "property-notify-event", G_CALLBACK(&OnPropertyChanged), &seen_);
    }
    ~InputMark() { gtk_widget_destroy(window_); }
    InputMark(const InputMark&) = delete;
    InputMark& operator=(const InputMark&) = delete;

    void Set() {
        const guchar value = 1;
        gdk_property_change(gtk_widget_get_window(window_), Name(), Name(), 8,
                            GDK_PROP_MODE_REPLACE, &value, 1);
        gdk_display_flush(gtk_widget_get_display(window_));
    }
    bool Seen() const { return seen_; }

  private:
    static GdkAtom Name() { return gdk_atom_intern_static_string("QUORVANE_TEST_INPUT_MARK"); }
    static gboolean OnPropertyChanged(GtkWidget*, GdkEventProperty* event, gpointer seen) {
        if (event->atom == Name()) {
            *static_cast<bool*>(seen) = true;
        }
        return FALSE;
    }

    GtkWidget* window_;
    bool seen_ = false;
};

}  // namespace

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        RunPendingEvents();
        wxMilliSleep(1);
    }
    return true;
}

// GTK hands the events on in the order they came, so once the mark's own event has been
// handled, so has every event before it.
bool WaitUntilEarlierInputHandled(std::chrono::milliseconds timeout) {
    InputMark mark;
    mark.Set();
    return WaitUntil([&] { return mark.Seen(); }, timeout);
}

bool DestroyAndWait(wxWindow* topLevel, std::chrono::milliseconds timeout) {
    topLevel->Destroy();
    return WaitUntil([topLevel] { return !wxTopLevelWindows.Find(topLevel); }, timeout);
}

void PumpEvents(std::chrono::milliseconds duration) {
    WaitUntil([] { return false; }, duration);
}

}  // namespace quorvane::test
