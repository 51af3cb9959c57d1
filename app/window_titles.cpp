#include "app/window_titles.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

#include "base/cp1252.h"
#include "base/errors.h"

namespace tarvek {

namespace {

// Window managers nest a client at most a few levels below its frame.
constexpr int kFrameDepth = 3;
// Longer titles are cut long before they reach this many bytes.
constexpr std::uint32_t kTitleLongs = 1024;

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

xcb_atom_t intern(xcb_connection_t* c, const char* name) {
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(
        c, 0, static_cast<std::uint16_t>(std::char_traits<char>::length(name)), name);
    Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(c, cookie, nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::string latin1_to_cp1252(std::string_view text) {
    std::string utf8;
    for (char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            utf8 += ch;
        } else {
            utf8 += static_cast<char>(0xC0 | (b >> 6));
            utf8 += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return utf8_to_cp1252(utf8);
}

class TitleReader {
  public:
    explicit TitleReader(xcb_connection_t* c)
        : c_(c), net_wm_name_(intern(c, "_NET_WM_NAME")), utf8_(intern(c, "UTF8_STRING")) {}

    // Empty when the window has no title or is gone already.
    std::string title(xcb_window_t window) const {
        std::string text;
        xcb_atom_t type = XCB_ATOM_NONE;
        if (net_wm_name_ != XCB_ATOM_NONE && read(window, net_wm_name_, text, type) &&
            type == utf8_) {
            return utf8_to_cp1252(text);
        }
        if (!read(window, XCB_ATOM_WM_NAME, text, type)) return {};
        // STRING is Latin-1; compound text in its default character set too.
        return type == utf8_ ? utf8_to_cp1252(text) : latin1_to_cp1252(text);
    }

    std::vector<xcb_window_t> children(xcb_window_t window) const {
        Reply<xcb_query_tree_reply_t> reply(
            xcb_query_tree_reply(c_, xcb_query_tree(c_, window), nullptr));
        if (!reply) return {};
        const xcb_window_t* list = xcb_query_tree_children(reply.get());
        // The server lists bottom to top.
        return {std::make_reverse_iterator(list + xcb_query_tree_children_length(reply.get())),
                std::make_reverse_iterator(list)};
    }

  private:
    bool read(xcb_window_t window, xcb_atom_t property, std::string& text, xcb_atom_t& type) const {
        const xcb_get_property_cookie_t cookie =
            xcb_get_property(c_, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, kTitleLongs);
        xcb_generic_error_t* error = nullptr;
        Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(c_, cookie, &error));
        std::free(error);
        if (!reply || reply->format != 8 || reply->type == XCB_ATOM_NONE) return false;
        const int length = xcb_get_property_value_length(reply.get());
        text.assign(static_cast<const char*>(xcb_get_property_value(reply.get())),
                    static_cast<std::size_t>(length));
        type = reply->type;
        return true;
    }

    xcb_connection_t* c_;
    xcb_atom_t net_wm_name_;
    xcb_atom_t utf8_;
};

// The first titled windows on each path below an untitled one.
void collect_named(const TitleReader& reader, xcb_window_t window, int depth,
                   std::vector<TopLevelWindow>& out) {
    for (xcb_window_t child : reader.children(window)) {
        std::string title = reader.title(child);
        if (!title.empty()) {
            out.push_back({child, std::move(title)});
        } else if (depth < kFrameDepth) {
            collect_named(reader, child, depth + 1, out);
        }
    }
}

}  // namespace

XDisplay::XDisplay(const std::string& name) {
    int screen_number = 0;
    connection_ = xcb_connect(name.empty() ? nullptr : name.c_str(), &screen_number);
    if (xcb_connection_has_error(connection_)) {
        xcb_disconnect(connection_);
        const char* env = std::getenv("DISPLAY");
        throw Error(utf8_to_cp1252("Não foi possível conectar à tela \"" +
                                   (name.empty() ? std::string(env ? env : "") : name) + "\""));
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screen_number && it.rem > 0; ++i) xcb_screen_next(&it);
    root_ = it.data->root;
}

XDisplay::~XDisplay() {
    xcb_disconnect(connection_);
}

bool XDisplay::available() {
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name) return false;
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    const bool ok = xcb_connection_has_error(c) == 0;
    xcb_disconnect(c);
    return ok;
}

std::vector<TopLevelWindow> XDisplay::top_level_windows() const {
    const TitleReader reader(connection_);
    std::vector<TopLevelWindow> windows;
    for (xcb_window_t child : reader.children(root_)) {
        std::string title = reader.title(child);
        if (!title.empty()) {
            windows.push_back({child, std::move(title)});
            continue;
        }
        // Perhaps a frame around a client.
        const std::size_t before = windows.size();
        collect_named(reader, child, 1, windows);
        if (windows.size() == before) windows.push_back({child, {}});
    }
    return windows;
}

std::vector<std::string> desktop_window_titles() {
    const XDisplay display;
    std::vector<std::string> titles;
    for (TopLevelWindow& w : display.top_level_windows()) titles.push_back(std::move(w.title));
    return titles;
}

}  // namespace tarvek
