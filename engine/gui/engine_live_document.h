#pragma once

#include "engine/live_document_reader.h"

typedef struct _GCancellable GCancellable;
typedef struct _WebKitWebView WebKitWebView;
class wxWebView;

namespace quorvane {

// Reads the Browser view's live documents from WebKitGTK: the doctype and the root
// element's outer HTML of the main frame's document or of a frame's, serialised by a
// script of a world of our own, which reaches the frames of the page's own site.
// The text is taken at once and read in slices, so that a long one costs the window no
// long stall, and no more than kMaxServedSourceBytes of it is read. Reads still running
// when the reader goes are cancelled and never answer.
class EngineLiveDocument : public LiveDocumentReader {
  public:
    explicit EngineLiveDocument(wxWebView* view);
    ~EngineLiveDocument() override;
    EngineLiveDocument(const EngineLiveDocument&) = delete;
    EngineLiveDocument& operator=(const EngineLiveDocument&) = delete;

    void ReadLiveDocument(const std::string& frameAddress, Done done) override;
    void ListFrames(FramesDone done) override;

  private:
    WebKitWebView* view_;  // held, as the window may go first
    GCancellable* reads_;
    unsigned readCount_ = 0;
};

}  // namespace quorvane
