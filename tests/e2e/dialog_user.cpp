#include "tests/e2e/dialog_user.h"

#include <gtk/gtk.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "tests/e2e/program_process.h"

namespace quorvane::test {
namespace {

using namespace std::chrono_literals;

// A question for the window thread and its answer, shared with the window thread, which
// may answer after the asker has stopped waiting.
struct Question {
    std::function<bool()> ask;
    std::mutex mutex;
    std::condition_variable answered;
    std::optional<bool> answer;
};

gboolean AnswerOnTheWindowThread(gpointer data) {
    Question& question = **static_cast<std::shared_ptr<Question>*>(data);
    const bool answer = question.ask();
    {
        std::lock_guard lock(question.mutex);
        question.answer = answer;
    }
    question.answered.notify_all();
    return G_SOURCE_REMOVE;
}

// Asks the window thread, which runs GTK, from another thread; false when it does not
// answer in time.
bool AskTheWindowThread(std::function<bool()> ask) {
    auto question = std::make_shared<Question>();
    question->ask = std::move(ask);
    g_main_context_invoke_full(nullptr, G_PRIORITY_DEFAULT, &AnswerOnTheWindowThread,
                               new std::shared_ptr<Question>(question), [](gpointer data) {
                                   delete static_cast<std::shared_ptr<Question>*>(data);
                               });
    std::unique_lock lock(question->mutex);
    return question->answered.wait_for(lock, 10s, [&] { return question->answer.has_value(); }) &&
           *question->answer;
}

// On the window thread: what the text box with the keyboard in the shown dialog titled
// title holds; nullopt when there is no such box.
std::optional<std::string> FocusedTextIn(const std::string& title) {
    std::optional<std::string> text;
    GList* windows = gtk_window_list_toplevels();
    for (GList* each = windows; each != nullptr; each = each->next) {
        GtkWindow* window = GTK_WINDOW(each->data);
        const gchar* caption = gtk_window_get_title(window);
        GtkWidget* focus = gtk_window_get_focus(window);
        if (caption != nullptr && caption == title && gtk_widget_get_visible(GTK_WIDGET(window)) &&
            focus != nullptr && GTK_IS_ENTRY(focus)) {
            text = gtk_entry_get_text(GTK_ENTRY(focus));
        }
    }
    g_list_free(windows);
    return text;
}

}  // namespace

bool DialogUser::WaitUntilShown() const {
    return std::system(("timeout 30 xdotool search --sync --onlyvisible --name '^" + title_ +
                        "$' windowfocus --sync >/dev/null")
                           .c_str()) == 0;
}

bool DialogUser::Do(const std::string& xdotoolCommand) const {
    return std::system(("xdotool " + xdotoolCommand).c_str()) == 0;
}

bool DialogUser::WaitForText(const std::string& text) const {
    const std::string title = title_;
    return PollUntil(
        [&] { return AskTheWindowThread([title, text] { return FocusedTextIn(title) == text; }); },
        30s);
}

bool DialogUser::TypePath(const std::string& path) const {
    return path.starts_with('/') && Do("type /") && WaitForText("/") &&
           Do("type --delay 15 '" + path.substr(1) + "'") && WaitForText(path);
}

bool DialogUser::WaitUntilGone() const {
    const std::string shown = "xdotool search --onlyvisible --name '^" + title_ + "$' >/dev/null";
    if (PollUntil([&] { return std::system(shown.c_str()) != 0; }, 30s)) {
        return true;
    }
    Do("key Escape");
    return false;
}

}  // namespace quorvane::test
