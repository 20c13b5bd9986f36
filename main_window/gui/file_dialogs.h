#pragma once

#include <optional>
#include <string>

#include "main_window/main_window_surface.h"

class wxWindow;

namespace quorvane {

// The main window's file dialogs, each giving the path chosen, or nullopt when cancelled.

// File > Open.
std::optional<std::string> ChooseFileToOpen(wxWindow* parent);
// "Save Images…" and "Save Selected Images…": a folder, starting in startFolder, and the
// "Convert to" choice, starting with last.
std::optional<ImagesDestination> ChooseFolderToSaveImages(wxWindow* parent,
                                                          const std::string& startFolder,
                                                          const PictureConversion& last);
// "Save Source…" and "Save Page…": a file in folder, name filled in, the page as served or
// whole (MHTML) to choose, the name chosen ending in ".mhtml" for the whole page.
std::optional<std::string> ChooseFileToSaveSource(wxWindow* parent, const std::string& folder,
                                                  const std::string& name);

// "Export Image List…": a file in folder, name filled in, as CSV or JSON.
// "Export Requests…": a HAR file, and whether to write its cookies and credentials.
std::optional<RequestExportChoice> ChooseFileToExportRequests(wxWindow* parent,
                                                              const std::string& folder,
                                                              const std::string& name);
std::optional<std::string> ChooseFileToExportImageList(wxWindow* parent, const std::string& folder,
                                                       const std::string& name);

}  // namespace quorvane
