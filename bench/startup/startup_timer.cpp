// Times programs from exec to their top-level window being mapped on the X server, as
// the server sees it (MapNotify on the root window): startup_timer RUNS PROGRAM... runs
// the programs in turn RUNS times each, prints each one's median and the ratio of each
// to the first. Every program is ended once its window is mapped.

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    xcb_atom_t atom = r ? r->atom : XCB_ATOM_NONE;
    std::free(r);
    return atom;
}

// The process a window says it belongs to (_NET_WM_PID), or -1.
long WindowPid(xcb_connection_t* c, xcb_window_t w, xcb_atom_t pid_atom) {
    xcb_get_property_reply_t* r = xcb_get_property_reply(
        c, xcb_get_property(c, 0, w, pid_atom, XCB_ATOM_CARDINAL, 0, 1), nullptr);
    long pid = -1;
    if (r && xcb_get_property_value_length(r) == 4) {
        pid = *static_cast<std::uint32_t*>(xcb_get_property_value(r));
    }
    std::free(r);
    return pid;
}

// Lets the X server drop the ended program's window and the machine finish tearing the
// process down, so that no start is measured while the one before it is still ending.
void Settle(xcb_connection_t* c) {
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    usleep(100 * 1000);
    while (xcb_generic_event_t* e = xcb_poll_for_event(c)) {
        std::free(e);
    }
}

// Starts `program` and waits for a window of its process to be mapped; milliseconds
// from just before the exec, or -1 after 30 s or when the program ends first.
double TimeToWindow(xcb_connection_t* c, xcb_atom_t pid_atom, const char* program) {
    const Clock::time_point start = Clock::now();
    pid_t pid = fork();
    if (pid == 0) {
        int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    double ms = -1;
    pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
    while (ms < 0 && Clock::now() - start < std::chrono::seconds(30)) {
        xcb_generic_event_t* e = xcb_poll_for_event(c);
        if (!e) {
            if (waitpid(pid, nullptr, WNOHANG) == pid) {
                return -1;
            }
            poll(&fd, 1, 100);
            continue;
        }
        if ((e->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            const Clock::time_point mapped = Clock::now();
            auto* map = reinterpret_cast<xcb_map_notify_event_t*>(e);
            if (WindowPid(c, map->window, pid_atom) == pid) {
                ms = std::chrono::duration<double, std::milli>(mapped - start).count();
            }
        }
        std::free(e);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    Settle(c);
    return ms;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_timer RUNS PROGRAM...\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "startup_timer: no X display\n");
        return 1;
    }
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);
    const xcb_atom_t pid_atom = Atom(c, "_NET_WM_PID");

    const int programs = argc - 2;
    std::vector<std::vector<double>> times(static_cast<std::size_t>(programs));
    // One unmeasured start of each fills the page cache.
    for (int p = 0; p < programs; ++p) {
        TimeToWindow(c, pid_atom, argv[2 + p]);
    }
    for (int run = 0; run < runs; ++run) {
        for (int p = 0; p < programs; ++p) {
            double ms = TimeToWindow(c, pid_atom, argv[2 + p]);
            if (ms < 0) {
                std::fprintf(stderr, "startup_timer: %s showed no window\n", argv[2 + p]);
                return 1;
            }
            times[static_cast<std::size_t>(p)].push_back(ms);
        }
    }
    const double first = Median(times[0]);
    for (int p = 0; p < programs; ++p) {
        const double m = Median(times[static_cast<std::size_t>(p)]);
        std::printf("%-60s median %7.1f ms over %d runs, ratio %.2f\n", argv[2 + p], m, runs,
                    m / first);
    }
    xcb_disconnect(c);
    return 0;
}
