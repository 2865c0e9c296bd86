// Starts a program and prints how long it took from the start to a window of the given title being
// mapped and viewable, and the program's process id; the program is left running.
//
//   bench_time_to_map TITLE TIMEOUT_MS PROGRAM [ARGUMENTS...]     prints "MS PID", or exits 1 (the program
//                                                                  ended, or was killed at the timeout)
//
// Told by the X server (the map of the window, or of its window manager's frame around it), not by
// polling: a polling loop would take a core from the program it times, and a few ms of precision.
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string Title(xcb_connection_t* c, xcb_window_t window) {
    static const xcb_atom_t utf8Name = [c] {
        const char name[] = "_NET_WM_NAME";
        xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, sizeof name - 1, name), nullptr);
        const xcb_atom_t atom = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(r);
        return atom;
    }();
    for (const xcb_atom_t property : {utf8Name, xcb_atom_t(XCB_ATOM_WM_NAME)}) {
        xcb_get_property_reply_t* r = xcb_get_property_reply(
            c, xcb_get_property(c, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024), nullptr);
        std::string title = r ? std::string(static_cast<const char*>(xcb_get_property_value(r)),
                                            static_cast<size_t>(xcb_get_property_value_length(r)))
                              : std::string();
        std::free(r);
        if (!title.empty()) return title;
    }
    return {};
}

bool Viewable(xcb_connection_t* c, xcb_window_t window) {
    xcb_get_window_attributes_reply_t* r =
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr);
    const bool viewable = r && r->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(r);
    return viewable;
}

// The window itself or, under a window manager, a client two levels down in its frame.
bool Holds(xcb_connection_t* c, xcb_window_t window, const std::string& title, int depth) {
    if (Title(c, window) == title) return Viewable(c, window);
    if (depth == 0) return false;
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr);
    bool found = false;
    for (int i = 0; tree && !found && i < xcb_query_tree_children_length(tree); ++i)
        found = Holds(c, xcb_query_tree_children(tree)[i], title, depth - 1);
    std::free(tree);
    return found;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s TITLE TIMEOUT_MS PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    const std::string title = argv[1];
    const auto timeout = std::chrono::milliseconds(std::atoi(argv[2]));
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) return 1;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(xcb_get_file_descriptor(c));
        ::execv(argv[3], argv + 3);
        _exit(127);
    }
    if (pid < 0) return 1;
    for (;;) {
        xcb_generic_event_t* event = xcb_poll_for_event(c);
        if (!event && xcb_connection_has_error(c)) return 1;
        if (!event) {
            // Woken at least every 100 ms to see whether the program has ended without a window.
            const auto left = timeout - (std::chrono::steady_clock::now() - start);
            if (left <= std::chrono::milliseconds(0) || ::waitpid(pid, nullptr, WNOHANG) != 0) {
                ::kill(pid, SIGKILL);
                return 1;
            }
            pollfd wait{xcb_get_file_descriptor(c), POLLIN, 0};
            ::poll(&wait, 1,
                   static_cast<int>(std::min<long>(100, std::chrono::ceil<std::chrono::milliseconds>(left).count())));
            continue;
        }
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) // a window manager's frame: the client is mapped inside it, maybe last
            xcb_change_window_attributes(c, reinterpret_cast<xcb_create_notify_event_t*>(event)->window,
                                         XCB_CW_EVENT_MASK, &mask);
        const bool mapped = type == XCB_MAP_NOTIFY;
        const xcb_window_t window = mapped ? reinterpret_cast<xcb_map_notify_event_t*>(event)->window : 0;
        std::free(event);
        if (mapped && Holds(c, window, title, 2)) break;
    }
    const auto ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("%.1f %d\n", ms, static_cast<int>(pid));
    return 0;
}
