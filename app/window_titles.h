// The top-level windows of the X display and their titles, as the close timer
// compares them: visible or hidden, of any process, in Windows-1252.
//
// A window manager may reparent each client into an unnamed frame; for a
// root child without a title the search goes on among its own children, so a
// framed client counts as the top-level window it was before.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct xcb_connection_t;

namespace tarvek {

struct TopLevelWindow {
    std::uint32_t id = 0;
    std::string title;  // Windows-1252; empty when the window has none
};

// A connection to an X display, closed when the object goes. Not copyable.
class XDisplay {
  public:
    // Connects to `name` (the DISPLAY variable when empty); throws Error,
    // naming the display, when no connection can be made.
    explicit XDisplay(const std::string& name = {});
    ~XDisplay();
    XDisplay(const XDisplay&) = delete;
    XDisplay& operator=(const XDisplay&) = delete;

    // True when DISPLAY is set and a connection to it can be opened.
    static bool available();

    // Topmost first. A named window's descendants are not listed.
    std::vector<TopLevelWindow> top_level_windows() const;
    std::uint32_t root() const { return root_; }
    // Owned by this object; for callers that speak the protocol themselves.
    xcb_connection_t* connection() const { return connection_; }

  private:
    xcb_connection_t* connection_ = nullptr;
    std::uint32_t root_ = 0;
};

// The titles of the display's top-level windows (DISPLAY), topmost first;
// windows without a title give empty entries.
std::vector<std::string> desktop_window_titles();

}  // namespace tarvek
