#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "main_window/gui/main_frame.h"

namespace quorvane::test {

// A real main window with its three WebKit elements and a work folder of its own, driven
// as a user drives it. The end-to-end tests and the views benchmark share it.
class MainWindowDriver {
  public:
    MainWindowDriver() = default;
    ~MainWindowDriver() { Close(); }
    MainWindowDriver(const MainWindowDriver&) = delete;
    MainWindowDriver& operator=(const MainWindowDriver&) = delete;

    // How the window is when the driver hands it over: as it starts, the generated views'
    // engines not made until a view is first shown; or as a user leaves it who has shown
    // each view once, so that each view follows every page while hidden.
    enum class Views { AsAtStart, EachShownOnce };

    // Opens the window on workFolder, the Help window kept closed, and waits until the
    // start page is loaded and analysed; false when that does not happen in time.
    bool Open(const std::filesystem::path& workFolder, Views views = Views::EachShownOnce);
    void Close();

    MainFrame& Frame() { return *frame_; }
    // The address of the start page shipped beside the program.
    static std::string HomePageAddress();

    // Types the address into the address box and presses Enter, as a user would.
    void TypeAddressAndPressEnter(const std::string& address);
    // Waits until element 0 shows address and the two generated views have loaded the
    // analysis of that page (source.htm holds marker, and both views show the files; a view
    // whose engine is not made yet is sent to its file).
    bool WaitForAnalysedPage(const std::string& address, const std::string& marker);
    bool WaitForElementAt(int index, const std::string& address);
    // Whether element index's engine has a load to do: from the moment it is asked for a
    // page (Back, Reload, an address), before any event says so, until the load ends.
    bool EngineLoading(int index) const;
    // The body HTML element 0 holds now, as the engine gives it; nullopt when it does not
    // answer in time.
    std::optional<std::string> CaptureBrowserBody();

    std::string WorkFile(const std::string& name) const;
    std::string ReadWorkFile(const std::string& name) const;
    std::string PageSource(int index) const;
    bool ViewsShowTheWorkFiles() const;
    bool ViewShowsTheWorkFile(int index, const std::string& name) const;
    // Whether element index, shown, has drawn anything but a white page on the screen.
    bool DrawsSomething(int index) const;
    // The pixels the display shows in element index's place, row by row, but for a strip
    // of leftOutOnTheRight pixels (where a page's scroll bar is).
    std::string Picture(int index, int leftOutOnTheRight = 0) const;
    // Waits until element index's engine has done with what it was asked before and has its
    // page laid out: it answers for a picture of the visible part only then. Keys typed
    // into the view before that wait for the engine too.
    bool WaitUntilLaidOut(int index, std::chrono::milliseconds timeout) const;
    // Picture(index, leftOutOnTheRight) once the engine has laid out and drawn what it was
    // asked before, and the window has drawn that: what the view shows until something new
    // happens in it. nullopt when that does not come in time.
    std::optional<std::string> SettledPicture(int index, int leftOutOnTheRight = 0) const;

  protected:
    std::filesystem::path workFolder_;
    MainFrame* frame_ = nullptr;
};

// The result of a script run in element 0's own page world, as text.
std::string EvaluateInBrowserView(MainFrame& frame, const std::string& script);
// The same in element index. The generated views run no script at all: they answer an
// empty text.
std::string EvaluateInView(MainFrame& frame, int index, const std::string& script);

// Reads a whole file as bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::filesystem::path& path);

// The names of the files in folder, sorted.
std::vector<std::string> FilesIn(const std::filesystem::path& folder);

// A folder of its own under the temporary folder, for this process and name.
std::filesystem::path FreshTempFolder(const std::string& name);

}  // namespace quorvane::test
