#include "engine/gui/own_pages.h"

#include <webkit2/webkit2.h>

#include "desktop/translation.h"
#include "engine/gui/engine_answer_guard.h"
#include "engine/load_failure.h"

#include <utility>

namespace quorvane {
namespace {

// What a stopped page that the engine would not let go of shows: nothing of the page.
constexpr const char* kStoppedPage = "<!DOCTYPE html><html><head><title></title></head></html>";

// Longer than any server a user would wait for; a browser that says nothing for minutes
// looks broken.
constexpr int kAnswerWaitSeconds = 30;

}  // namespace

OwnPages::OwnPages(WebKitWebView* view, std::function<std::string()> loadingAddress)
    : view_(view),
      loadingAddress_(std::move(loadingAddress)),
      answerGuard_(std::make_unique<EngineAnswerGuard>(view, [this](const std::string& uri) {
          Show(uri, kStoppedPage, Translated("Stopped: {1} did not answer and was closed", {uri}));
      })) {
    g_signal_connect(view_, "load-failed", G_CALLBACK(&OnLoadFailed), this);
    answerWait_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { GiveUpWaiting(); });
}

OwnPages::~OwnPages() {
    g_signal_handlers_disconnect_by_data(view_, this);
}

void OwnPages::LoadAsked(const std::string& address) {
    answerGuard_->LoadAsked(address);
}

void OwnPages::StopAsked() {
    answerGuard_->StopAsked();
}

// A document commits once its server's answer begins; a redirect is a new server to wait for.
void OwnPages::LoadChanged(int loadEvent) {
    answerGuard_->LoadChanged(loadEvent);
    if (loadEvent == WEBKIT_LOAD_STARTED || loadEvent == WEBKIT_LOAD_REDIRECTED) {
        answerWait_.StartOnce(kAnswerWaitSeconds * 1000);
    } else {
        answerWait_.Stop();
    }
    if (loadEvent == WEBKIT_LOAD_STARTED) {
        const gchar* uri = webkit_web_view_get_uri(view_);
        started_ = uri != nullptr ? uri : "";
    }
}

void OwnPages::Committed() {
    const gchar* uri = webkit_web_view_get_uri(view_);
    const std::optional<LoadError> blocked =
        coming_ ? std::nullopt : BlockedLoad(started_, uri != nullptr ? uri : "");
    shown_ = coming_.value_or("");
    coming_.reset();
    if (blocked) {
        ShowFailure(started_, *blocked);
    }
}

void OwnPages::ShowFailure(const std::string& uri, const LoadError& failure) {
    const std::string reason = LoadFailureReason(failure);
    Show(uri, ErrorPageHtml(uri, reason), LoadFailureMessage(uri, reason));
}

void OwnPages::GiveUpWaiting() {
    const std::string uri = loadingAddress_();
    const std::string reason = NoAnswerReason(kAnswerWaitSeconds);
    Show(uri, ErrorPageHtml(uri, reason), LoadFailureMessage(uri, reason));
}

void OwnPages::Show(const std::string& uri, const std::string& html, const std::string& status) {
    coming_ = status;
    webkit_web_view_load_alternate_html(view_, html.c_str(), uri.c_str(), nullptr);
}

// A page that cannot be opened gets a page that says why, at its own address; a load the
// user or the engine ended on purpose (Stop, a download, a newer load) gets none.
int OwnPages::OnLoadFailed(WebKitWebView*, int, const char* failingUri, GError* error, void* self) {
    const LoadError failure{g_quark_to_string(error->domain), error->code, error->message};
    if (failingUri == nullptr || !ShowsErrorPage(failure)) {
        return FALSE;
    }
    static_cast<OwnPages*>(self)->ShowFailure(failingUri, failure);
    return TRUE;
}

}  // namespace quorvane
