#pragma once

#include <cstddef>
#include <string>

#include "inspection/source_find.h"

namespace quorvane {

// The "Original Source" view as the main window's logic sees it: a pane that shows a
// text and searches it. The code viewer implements it; the logic tests use a fake.
class ServedSourcePane {
  public:
    virtual ~ServedSourcePane() = default;

    virtual bool Visible() const = 0;
    virtual void SetVisible(bool visible) = 0;
    // Shows text (what DecodeServedSource made of the bytes) for the page at pageAddress.
    virtual void ShowSource(std::string text, std::string pageAddress) = 0;
    // The encoding the next text shown was read in ("windows-1252"), told before it; a pane
    // that does not say it need not hear it.
    virtual void TellEncoding(const std::string& /*encoding*/) {}

    // Marks every match up to maxMatches and selects the first; the next and previous
    // match; the marks go.
    virtual SourceMatches Find(const std::string& what, const SourceFindOptions& options,
                               unsigned maxMatches) = 0;
    virtual void FindNext() = 0;
    virtual void FindPrevious() = 0;
    virtual void EndFind() = 0;
    // The selected match, counted from 1; 0 when none is.
    virtual std::size_t CurrentMatch() const = 0;

    // The zoom level, 1.0 being the text's own size.
    virtual double ZoomLevel() const = 0;
    virtual void SetZoomLevel(double level) = 0;
};

}  // namespace quorvane
