// The program on a desktop: the close timer's wait for the preview window,
// the main window, and the window listing it relies on. The end-to-end cases
// run the real program on the X display the test run started
// (TARVEK_TEST_DISPLAY); the controller cases need no display.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>

#include "app/application.h"
#include "app/window_titles.h"
#include "base/cp1252.h"
#include "tests/test_support.h"

namespace tarvek {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// ---------------------------------------------------------------------------
// Controller, without a display.

struct TickCase {
    const char* label;
    std::vector<std::string> titles;  // Windows-1252
    bool ends;
};

void PrintTo(const TickCase& c, std::ostream* os) {
    *os << c.label;
}

std::vector<TickCase> tick_cases() {
    const std::string preview = utf8_to_cp1252("Pré-visualização");  // 16 bytes
    return {
        {"no windows", {}, true},
        {"portuguese preview", {preview}, false},
        {"lower case", {utf8_to_cp1252("pré-visualização")}, false},
        {"ascii letters upper", {utf8_to_cp1252("PRé-VISUALIZAçãO")}, false},
        {"accented letters upper", {utf8_to_cp1252("PRé-VISUALIZAÇÃO")}, true},
        {"without accents", {"Pre-visualizacao"}, true},
        {"english preview", {"Preview"}, true},
        {"inside a longer title, not first",
         {"Terminal", "", "Boleto - " + preview + " (2)"},
         false},
        {"ends at byte 99", {std::string(83, 'x') + preview}, false},
        {"cut at byte 99", {std::string(84, 'x') + preview}, true},
    };
}

class CloseTimerTick : public ::testing::TestWithParam<TickCase> {};

TEST_P(CloseTimerTick, EndsExactlyWhenNoTitleHoldsThePreviewText) {
    const TickCase& c = GetParam();
    Application app;
    TfrmPrincipal& main = *app.frmPrincipal;
    main.window_title_source = [&c] { return c.titles; };
    std::vector<int> ended;
    main.end_process = [&ended](int code) { ended.push_back(code); };
    main.ListBox1 = {"left from the last tick"};

    main.timerCloseTimer();

    EXPECT_EQ(ended, c.ends ? std::vector<int>{0} : std::vector<int>{}) << c.label;
    // The list holds this tick's titles only, cut, without empty ones.
    std::vector<std::string> expected;
    for (const std::string& t : c.titles) {
        if (!t.empty()) expected.push_back(t.substr(0, 99));
    }
    EXPECT_EQ(main.ListBox1, expected) << c.label;
}

INSTANTIATE_TEST_SUITE_P(Titles, CloseTimerTick, ::testing::ValuesIn(tick_cases()),
                         test::LabelName());

TEST(ColetaTituloJanela, CutsTo99BytesAndSkipsEmptyTitles) {
    Application app;
    TfrmPrincipal& main = *app.frmPrincipal;
    std::string long_title;
    for (int i = 0; i < 150; ++i) long_title += static_cast<char>('a' + i % 26);

    EXPECT_TRUE(main.Coleta_Titulo_Janela(long_title));
    EXPECT_TRUE(main.Coleta_Titulo_Janela(""));
    EXPECT_TRUE(main.Coleta_Titulo_Janela("curto"));

    ASSERT_EQ(main.ListBox1.size(), 2u);
    EXPECT_EQ(main.ListBox1[0], long_title.substr(0, 99));
    EXPECT_EQ(main.ListBox1[1], "curto");
}

TEST(Button3Click, ListsTheTitlesAndEndsNothing) {
    Application app;
    TfrmPrincipal& main = *app.frmPrincipal;
    main.window_title_source = [] { return std::vector<std::string>{"Editor", "", "Terminal"}; };
    bool ended = false;
    main.end_process = [&ended](int) { ended = true; };
    main.ListBox1 = {"old"};
    main.Button3Click();
    EXPECT_EQ(main.ListBox1, (std::vector<std::string>{"Editor", "Terminal"}));
    EXPECT_FALSE(ended);
}

// ---------------------------------------------------------------------------
// On the display.

using test::Child;

std::string read_file(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The test's own view of the display: which windows a process shows, and
// the requests to the window manager it sends.
class Desktop {
  public:
    explicit Desktop(const std::string& name) : display_(name) {
        c_ = display_.connection();
        wm_pid_ = atom("_NET_WM_PID");
        wm_protocols_ = atom("WM_PROTOCOLS");
        wm_delete_ = atom("WM_DELETE_WINDOW");
        wm_change_state_ = atom("WM_CHANGE_STATE");
        // Requests to the window manager are sent to the root window with
        // this mask; a client listening there sees them even with no window
        // manager around.
        const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(c_, display_.root(), XCB_CW_EVENT_MASK, &mask);
        xcb_flush(c_);
    }

    // A window of process `pid` whose title is `title_utf8`, waiting at most
    // `limit` for it to appear.
    std::optional<std::uint32_t> find(pid_t pid, const std::string& title_utf8,
                                      std::chrono::milliseconds limit = 60s) {
        const std::string title = utf8_to_cp1252(title_utf8);
        const auto deadline = Clock::now() + limit;
        for (;;) {
            for (const TopLevelWindow& w : display_.top_level_windows()) {
                if (w.title == title && pid_of(w.id) == pid) return w.id;
            }
            if (Clock::now() >= deadline) return std::nullopt;
            std::this_thread::sleep_for(50ms);
        }
    }

    // A shown window of process `pid` other than `except`, waiting at most
    // `limit` for one.
    std::optional<std::uint32_t> find_other(pid_t pid, std::uint32_t except,
                                            std::chrono::milliseconds limit = 60s) {
        const auto deadline = Clock::now() + limit;
        for (;;) {
            for (const TopLevelWindow& w : display_.top_level_windows()) {
                if (w.id != except && pid_of(w.id) == pid && viewable(w.id)) return w.id;
            }
            if (Clock::now() >= deadline) return std::nullopt;
            std::this_thread::sleep_for(50ms);
        }
    }

    bool viewable(std::uint32_t window) {
        xcb_get_window_attributes_reply_t* r =
            xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, window), nullptr);
        const bool shown = r && r->map_state == XCB_MAP_STATE_VIEWABLE;
        std::free(r);
        return shown;
    }

    // Gives the window the keyboard focus, which activates it.
    void activate(std::uint32_t window) {
        xcb_set_input_focus(c_, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
        xcb_flush(c_);
    }

    // Asks the window to close, as a window manager's close button does.
    void close(std::uint32_t window) {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = window;
        event.type = wm_protocols_;
        event.data.data32[0] = wm_delete_;
        event.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(c_, 0, window, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&event));
        xcb_flush(c_);
    }

    // Windows that asked the window manager to iconify them so far.
    const std::vector<std::uint32_t>& iconify_requests() {
        while (xcb_generic_event_t* e = xcb_poll_for_event(c_)) {
            if ((e->response_type & 0x7F) == XCB_CLIENT_MESSAGE) {
                const auto* m = reinterpret_cast<xcb_client_message_event_t*>(e);
                constexpr std::uint32_t kIconicState = 3;
                if (m->type == wm_change_state_ && m->data.data32[0] == kIconicState)
                    iconified_.push_back(m->window);
            }
            std::free(e);
        }
        return iconified_;
    }

    struct Geometry {
        int x = 0, y = 0, width = 0, height = 0;
    };
    // Inner size, and position on the screen.
    Geometry geometry(std::uint32_t window) {
        Geometry g;
        xcb_get_geometry_reply_t* r =
            xcb_get_geometry_reply(c_, xcb_get_geometry(c_, window), nullptr);
        if (r) {
            g.width = r->width;
            g.height = r->height;
        }
        std::free(r);
        xcb_translate_coordinates_reply_t* t = xcb_translate_coordinates_reply(
            c_, xcb_translate_coordinates(c_, window, root(), 0, 0), nullptr);
        if (t) {
            g.x = t->dst_x;
            g.y = t->dst_y;
        }
        std::free(t);
        return g;
    }
    Geometry screen() { return geometry(root()); }

    const XDisplay& display() const { return display_; }
    xcb_connection_t* connection() const { return c_; }
    std::uint32_t root() const { return display_.root(); }
    pid_t pid_of(std::uint32_t window) {
        xcb_get_property_reply_t* r = xcb_get_property_reply(
            c_, xcb_get_property(c_, 0, window, wm_pid_, XCB_ATOM_CARDINAL, 0, 1), nullptr);
        pid_t pid = -1;
        if (r && xcb_get_property_value_length(r) == 4)
            pid = static_cast<pid_t>(*static_cast<std::uint32_t*>(xcb_get_property_value(r)));
        std::free(r);
        return pid;
    }

  private:
    xcb_atom_t atom(const char* name) {
        xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(
            c_, xcb_intern_atom(c_, 0, static_cast<std::uint16_t>(strlen(name)), name), nullptr);
        const xcb_atom_t a = r ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(r);
        return a;
    }

    XDisplay display_;
    xcb_connection_t* c_ = nullptr;
    xcb_atom_t wm_pid_, wm_protocols_, wm_delete_, wm_change_state_;
    std::vector<std::uint32_t> iconified_;
};

const std::string kPreviewPt = "Pré-visualização";
const std::string kMainCaption = "Envio de email tarvek";
// How long a process is watched to show that it keeps running: more than two
// ticks of the close timer.
constexpr auto kStaysAlive = 2500ms;
// A tick after the preview closed, with room for a loaded machine.
constexpr auto kEndsSoon = 3s;

class OnDesktop : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* name = std::getenv("TARVEK_TEST_DISPLAY");
        if (!name || !*name) GTEST_SKIP() << "no test display (TARVEK_TEST_DISPLAY) in this run";
        display = name;
        desktop = std::make_unique<Desktop>(display);
        pair = test::sample_databases(dir);
        home = dir.path() + "/home";
        fs::create_directories(home);
    }

    std::unique_ptr<Child> start_docs(const std::vector<std::string>& arguments,
                                      const std::string& locale = "pt_BR.UTF-8") {
        return start(TARVEK_DOCS_BINARY, arguments,
                     {"HOME=" + home, "LANG=" + locale, "LC_ALL=" + locale});
    }
    // A window of another program with this title (UTF-8).
    std::unique_ptr<Child> start_window(const std::string& title) {
        return start(TARVEK_TEST_WINDOW_BINARY, {title}, {"QT_QPA_PLATFORM=xcb"});
    }
    // Everything the started programs wrote, for failure messages.
    std::string logs() const {
        std::string text;
        for (const std::string& log : logs_) text += "--- " + log + "\n" + read_file(log);
        return text;
    }

    std::vector<std::string> result_rows(const std::string& id) {
        return test::result_rows(pair.main, id);
    }

    test::TempDir dir;
    test::DatabasePair pair;
    std::string home;
    std::string display;
    std::unique_ptr<Desktop> desktop;

  private:
    std::unique_ptr<Child> start(const std::string& program,
                                 const std::vector<std::string>& arguments,
                                 std::vector<std::string> environment) {
        environment.push_back("DISPLAY=" + display);
        logs_.push_back(dir.path() + "/log-" + std::to_string(logs_.size()) + ".txt");
        return std::make_unique<Child>(program, arguments, environment, logs_.back());
    }
    std::vector<std::string> logs_;
};

bool contains(const std::vector<std::uint32_t>& ids, std::uint32_t id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

TEST_F(OnDesktop, PrintLivesAsLongAsThePreviewWindow) {
    auto docs = start_docs({pair.instruction("77", "print")});
    const auto preview = desktop->find(docs->pid(), kPreviewPt);
    ASSERT_TRUE(preview) << logs();
    const auto main_window = desktop->find(docs->pid(), kMainCaption, 0ms);
    ASSERT_TRUE(main_window) << logs();
    EXPECT_TRUE(contains(desktop->iconify_requests(), *main_window))
        << "the main window did not minimise itself";

    EXPECT_FALSE(docs->wait_exit(kStaysAlive)) << "ended with the preview open\n" << logs();
    desktop->close(*preview);
    EXPECT_EQ(docs->wait_exit(kEndsSoon), 0) << logs();

    EXPECT_FALSE(fs::exists(home + "/driveKVL"));
    EXPECT_TRUE(result_rows("77").empty());
}

TEST_F(OnDesktop, PrintInEnglishEndsAtTheFirstTickThoughThePreviewIsOpen) {
    auto docs = start_docs({pair.instruction("77", "print")}, "en_US.UTF-8");
    ASSERT_TRUE(desktop->find(docs->pid(), "Preview")) << logs();
    // Nobody closes the preview.
    EXPECT_EQ(docs->wait_exit(kEndsSoon), 0) << logs();
}

struct OtherWindowCase {
    const char* label;
    const char* title;
    bool keeps_alive;
};

void PrintTo(const OtherWindowCase& c, std::ostream* os) {
    *os << c.label;
}

class OtherProgramsWindow : public OnDesktop,
                            public ::testing::WithParamInterface<OtherWindowCase> {};

TEST_P(OtherProgramsWindow, KeepsTheProcessAliveOnlyWhenItsTitleMatches) {
    const OtherWindowCase& c = GetParam();
    auto other = start_window(c.title);
    ASSERT_TRUE(desktop->find(other->pid(), c.title)) << logs();

    auto docs = start_docs({pair.instruction("77", "print")});
    const auto preview = desktop->find(docs->pid(), kPreviewPt);
    ASSERT_TRUE(preview) << logs();
    desktop->close(*preview);

    if (c.keeps_alive) {
        EXPECT_FALSE(docs->wait_exit(kStaysAlive)) << "ended beside '" << c.title << "'";
        other.reset();
    }
    EXPECT_EQ(docs->wait_exit(kEndsSoon), 0) << logs();
}

INSTANTIATE_TEST_SUITE_P(
    Titles, OtherProgramsWindow,
    ::testing::Values(OtherWindowCase{"LowerCaseKeepsItAlive", "pré-visualização", true},
                      OtherWindowCase{"AccentedCapitalsDoNot", "PRé-VISUALIZAÇÃO", false}),
    test::LabelName());

TEST_F(OnDesktop, ConditionalPrintPreviewsTheDocumentAndWritesNothing) {
    auto docs = start_docs({pair.instruction("95", "cond_print")});
    const auto preview = desktop->find(docs->pid(), kPreviewPt);
    ASSERT_TRUE(preview) << logs();
    EXPECT_FALSE(docs->wait_exit(kStaysAlive)) << "ended with the preview open\n" << logs();
    desktop->close(*preview);
    EXPECT_EQ(docs->wait_exit(kEndsSoon), 0) << logs();
    EXPECT_FALSE(fs::exists(home + "/driveKVL"));
    EXPECT_TRUE(result_rows("95").empty());
}

struct BankPrintCase {
    const char* label;
    const char* id;
};

void PrintTo(const BankPrintCase& c, std::ostream* os) {
    *os << c.label << " (" << c.id << ")";
}

class PrintOfEachBank : public OnDesktop, public ::testing::WithParamInterface<BankPrintCase> {};

TEST_P(PrintOfEachBank, OpensThePreviewAndWritesNothing) {
    const BankPrintCase& c = GetParam();
    auto docs = start_docs({pair.instruction(c.id, "print")});
    const auto preview = desktop->find(docs->pid(), kPreviewPt);
    ASSERT_TRUE(preview) << logs();
    desktop->close(*preview);
    EXPECT_EQ(docs->wait_exit(kEndsSoon), 0) << logs();
    EXPECT_FALSE(fs::exists(home + "/driveKVL"));
    EXPECT_TRUE(result_rows(c.id).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Banks, PrintOfEachBank,
    ::testing::Values(BankPrintCase{"SicrediBooklet", "79"}, BankPrintCase{"Sicredi", "80"},
                      BankPrintCase{"Sicoob", "81"}, BankPrintCase{"SicoobReceipt", "82"},
                      BankPrintCase{"Itau", "83"}, BankPrintCase{"Banrisul", "84"},
                      BankPrintCase{"CresolOwn", "85"}, BankPrintCase{"CresolBradesco", "86"}),
    [](const ::testing::TestParamInfo<BankPrintCase>& param_info) {
        return std::string(param_info.param.label);
    });

TEST_F(OnDesktop, EmailWritesItsDocumentAndEndsByItself) {
    auto docs = start_docs({pair.instruction("77", "email")});
    ASSERT_EQ(docs->wait_exit(120s), 0) << logs();
    const std::string pdf = home + "/driveKVL/tmpEmail/Boletos/Bradesco_237.pdf";
    EXPECT_TRUE(fs::exists(pdf));
    EXPECT_EQ(result_rows("77"), std::vector<std::string>{pdf});
    // Only the desktop program has a window to minimise.
    EXPECT_EQ(desktop->iconify_requests().size(), 1u) << logs();
}

// Service orders preview for print, and the mechanic's authorisation always:
// after "os_email" too the process lives as long as the preview window.
TEST_F(OnDesktop, ServiceOrderPreviewsLiveUntilClosedAndRecordNothing) {
    const struct {
        const char* id;
        const char* operation;
    } cases[] = {{"92", "os_print"}, {"94", "os_print"}, {"94", "os_email"}};
    for (const auto& c : cases) {
        auto docs = start_docs({pair.instruction(c.id, c.operation)});
        const auto preview = desktop->find(docs->pid(), kPreviewPt);
        ASSERT_TRUE(preview) << c.id << " " << c.operation << "\n" << logs();
        EXPECT_FALSE(docs->wait_exit(kStaysAlive))
            << c.id << " " << c.operation << " ended with the preview open\n"
            << logs();
        desktop->close(*preview);
        EXPECT_EQ(docs->wait_exit(kEndsSoon), 0) << c.id << " " << c.operation << "\n" << logs();
        EXPECT_TRUE(result_rows(c.id).empty());
    }
    EXPECT_FALSE(fs::exists(home + "/driveKVL"));
}

TEST_F(OnDesktop, WithoutArgumentShowsTheMainWindowAndRunsNoJob) {
    auto docs = start_docs({});
    const auto main_window = desktop->find(docs->pid(), kMainCaption);
    ASSERT_TRUE(main_window) << logs();
    // Past the first activation: still open, not minimised, no job.
    EXPECT_FALSE(docs->wait_exit(kStaysAlive)) << logs();
    EXPECT_TRUE(desktop->iconify_requests().empty());

    // With no window manager there is no frame: the outer size is the inner.
    const Desktop::Geometry screen = desktop->screen();
    const Desktop::Geometry g = desktop->geometry(*main_window);
    EXPECT_EQ(g.width, 375);
    EXPECT_EQ(g.height, 145);
    EXPECT_EQ(g.x, (screen.width - 375) / 2);
    EXPECT_EQ(g.y, (screen.height - 145) / 2);

    // The "print" button runs its instruction on the demo databases: the
    // preview or, where they cannot be reached, the error's message opens.
    const std::string click = "DISPLAY=" + display + " xdotool mousemove --window " +
                              std::to_string(*main_window) + " 142 20 click 1";
    ASSERT_EQ(std::system(click.c_str()), 0);
    EXPECT_TRUE(desktop->find_other(docs->pid(), *main_window)) << logs();
}

TEST_F(OnDesktop, FailedJobShowsItsMessageAndWaitsForTheUser) {
    auto docs = start_docs({"Tarvek=" + dir.path() + "/falta.fdb;Receber=" + dir.path() +
                            "/falta.fdb;idInstrucao=1;operacao=email"});
    const auto main_window = desktop->find(docs->pid(), kMainCaption);
    ASSERT_TRUE(main_window) << logs();
    const auto message = desktop->find_other(docs->pid(), *main_window);
    ASSERT_TRUE(message) << logs();
    // The timer stays off: no preview, yet the process does not end.
    EXPECT_FALSE(docs->wait_exit(kStaysAlive)) << logs();

    desktop->close(*message);
    const auto deadline = Clock::now() + 10s;
    while (desktop->viewable(*message) && Clock::now() < deadline)
        std::this_thread::sleep_for(50ms);
    ASSERT_FALSE(desktop->viewable(*message));
    EXPECT_FALSE(docs->wait_exit(kStaysAlive)) << logs();

    // Still a first activation: the next one runs the job again.
    desktop->activate(*main_window);
    EXPECT_TRUE(desktop->find_other(docs->pid(), *main_window)) << logs();
    EXPECT_TRUE(docs->running());
}

TEST_F(OnDesktop, ListsTitlesInWindows1252AndLooksIntoFrames) {
    auto other = start_window("Relatório € — Ω");
    const auto client = desktop->find(other->pid(), "Relatório € — Ω");
    ASSERT_TRUE(client) << logs();
    // Not representable in Windows-1252: the omega.
    const std::string expected = "Relat\xF3rio \x80 \x97 ?";
    auto title_of = [&](std::uint32_t id) -> std::optional<std::string> {
        for (const TopLevelWindow& w : desktop->display().top_level_windows()) {
            if (w.id == id) return w.title;
        }
        return std::nullopt;
    };
    EXPECT_EQ(title_of(*client), expected);

    // A window manager's way: the client inside an untitled frame.
    xcb_connection_t* c = desktop->connection();
    const xcb_window_t frame = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, frame, desktop->root(), 0, 0, 300, 100, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_reparent_window(c, *client, frame, 0, 20);
    xcb_flush(c);
    const auto framed = desktop->find(other->pid(), "Relatório € — Ω", 10s);
    EXPECT_EQ(framed, client);
    EXPECT_FALSE(title_of(frame)) << "the frame was listed instead of its client";
    xcb_destroy_window(c, frame);
    xcb_flush(c);
}

}  // namespace
}  // namespace tarvek
