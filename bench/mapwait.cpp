// Starts a program and reports how long it took until its first window was mapped, and the
// program's peak resident memory at that moment: "<milliseconds> <kilobytes>".
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {
long peakKilobytes(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}
} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: mapwait PROGRAM [ARGS...]\n");
        return 2;
    }
    // A server started just before may not accept connections yet.
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    for (int tries = 0; xcb_connection_has_error(connection) && tries < 100; ++tries) {
        xcb_disconnect(connection);
        usleep(100'000);
        connection = xcb_connect(nullptr, nullptr);
    }
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "mapwait: no X display\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execv(argv[1], argv + 1);
        std::perror("mapwait: exec");
        _exit(127);
    }

    bool mapped = false;
    pollfd descriptor { xcb_get_file_descriptor(connection), POLLIN, 0 };
    while (!mapped && poll(&descriptor, 1, 30000) > 0) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            mapped = mapped || (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
            std::free(event);
        }
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const long peak = peakKilobytes(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    xcb_disconnect(connection);
    if (!mapped) {
        std::fprintf(stderr, "mapwait: no window within 30 s\n");
        return 1;
    }
    std::printf("%.1f %ld\n", std::chrono::duration<double, std::milli>(elapsed).count(), peak);
    return 0;
}
