#include "engine/gui/body_start_capture.h"

#include <gio/gio.h>
#include <webkit2/webkit2.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "engine/gui/script_text.h"

namespace quorvane {
namespace {

// A script world of its own, as for the whole body: the page's scripts can neither change
// the DOM's getters we use nor see us.
constexpr const char* kCaptureWorld = "quorvane-capture";

// Serialises the body node by node, as outerHTML does, until CHARS units are written, and
// no further: the start of a long text or of a large element is cut (never between the two
// halves of a character outside the basic plane). Elements whose content serialises in a
// way of its own (raw text, templates) and those without children are taken through
// outerHTML; any other gets its tags from a shallow copy in a document without a window,
// where no element loads or runs anything, around its children. A nesting deeper than any
// real page ends the read with nothing; so does a body that ends before CHARS units.
constexpr const char* kBodyStartScript = R"((() => {
  const body = document.body;
  if (!body) {
    return null;
  }
  const html = 'http://www.w3.org/1999/xhtml';
  const takenWhole = new Set(['area', 'base', 'basefont', 'bgsound', 'br', 'col', 'embed',
    'frame', 'hr', 'img', 'input', 'keygen', 'link', 'meta', 'param', 'source', 'track', 'wbr',
    'script', 'style', 'xmp', 'iframe', 'noembed', 'noframes', 'plaintext', 'noscript',
    'template']);
  const escapes = { '&': '&amp;', '<': '&lt;', '>': '&gt;', '\u00A0': '&nbsp;' };
  const inert = document.implementation.createHTMLDocument('');
  let start = '';
  const add = (text) => {
    const room = CHARS - start.length;
    if (text.length < room) {
      start += text;
      return true;
    }
    const end = (text.charCodeAt(room - 1) & 0xFC00) === 0xD800 ? room - 1 : room;
    start += text.slice(0, end);
    return false;
  };
  const addElement = (element, depth) => {
    if (!element.firstChild || (element.namespaceURI === html && takenWhole.has(element.localName))) {
      return add(element.outerHTML);
    }
    if (depth > 512) {
      throw new RangeError('nested too deeply');
    }
    const tags = inert.importNode(element, false).outerHTML;
    const endTag = tags.lastIndexOf('</');
    return add(tags.slice(0, endTag)) && addChildren(element, depth + 1) && add(tags.slice(endTag));
  };
  const addNode = (node, depth) => {
    switch (node.nodeType) {
      case Node.ELEMENT_NODE: return addElement(node, depth);
      case Node.TEXT_NODE:
        return add(node.data.slice(0, CHARS).replace(/[&<>\u00A0]/g, (c) => escapes[c]));
      case Node.COMMENT_NODE: return add('<!--' + node.data.slice(0, CHARS) + '-->');
      default: return add(node.outerHTML ?? '');
    }
  };
  const addChildren = (parent, depth) => {
    for (let node = parent.firstChild; node; node = node.nextSibling) {
      if (!addNode(node, depth)) {
        return false;
      }
    }
    return true;
  };
  try {
    return addElement(body, 0) ? null : start;
  } catch (error) {
    return null;
  }
})())";

struct StartRun {
    BrowserViewElement::CaptureDone done;
};

// A cancelled read belongs to an element that is gone: nobody may be told.
void OnStartRead(GObject* source, GAsyncResult* result, gpointer data) {
    const std::unique_ptr<StartRun> run(static_cast<StartRun*>(data));
    bool cancelled = false;
    JSCValue* value = ScriptAnswer(source, result, cancelled);
    if (value == nullptr) {
        if (!cancelled) {
            run->done(std::nullopt);
        }
        return;
    }
    std::optional<std::string> start = StringAnswer(value);
    g_object_unref(value);
    run->done(std::move(start));
}

}  // namespace

void CaptureBodyStart(WebKitWebView* view, GCancellable* cancellable, std::size_t chars,
                      BrowserViewElement::CaptureDone done) {
    const std::string script = WithValue(kBodyStartScript, "CHARS", chars);
    webkit_web_view_evaluate_javascript(view, script.c_str(), static_cast<gssize>(script.size()),
                                        kCaptureWorld, nullptr, cancellable, &OnStartRead,
                                        new StartRun{std::move(done)});
}

}  // namespace quorvane
