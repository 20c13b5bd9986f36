#pragma once

#include <optional>
#include <string>

#include <glib-object.h>

#include "desktop/translation.h"
#include "engine/download_target.h"

typedef struct _WebKitDownload WebKitDownload;

namespace quorvane {

// What the engine's downloads and the fetches of "Save Images…" both use: both are
// downloads of the engine, told apart by a mark.

// Marks the engine's downloads that are fetches, for WebKitDownloads to leave alone.
inline constexpr const char* kFetchMark = "quorvane-fetch";
inline constexpr const char* kNetworkProcessEnded =
    Translatable("the engine's network process ended");

// Why a download that the engine says has finished is no whole file, or nullopt.
std::optional<std::string> Unfinished(WebKitDownload* download);

// Where the engine writes the download: filePath, made already to hold the name.
void SetDestination(WebKitDownload* download, const std::string& filePath);

template <typename Handler>
void ConnectToDownload(WebKitDownload* download, const char* signal, Handler handler, void* data) {
    g_signal_connect(download, signal, G_CALLBACK(handler), data);
}

}  // namespace quorvane
