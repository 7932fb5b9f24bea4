// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Starts a program and reports when its first window is mapped on the X
// server, when the program first draws into it, and its memory a while after
// that:
//     launch_probe SETTLE_MS PROGRAM [ARGS...]
// prints "map_ms draw_ms rss_kib pss_kib". The clock starts just before the
// exec. Every window the program creates is watched with XDamage from its
// creation on, so the first drawing is seen however soon it follows the map.
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/select.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

long field_kib(const std::string& path, const std::string& name)
{
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line))
        if (line.rfind(name, 0) == 0)
            return std::strtol(line.c_str() + name.size(), nullptr, 10);
    return -1;
}

// A window may be gone before it is watched (Qt makes and drops a few small
// ones at start), or be input-only and never drawn: neither is a fault of the
// measurement.
int ignore_vanished_windows(Display*, XErrorEvent* error)
{
    if (error->error_code != BadWindow && error->error_code != BadMatch)
        std::fprintf(stderr, "launch_probe: X error %d\n", error->error_code);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: launch_probe SETTLE_MS PROGRAM [ARGS...]\n");
        return 2;
    }
    const int settle_ms = std::atoi(argv[1]);
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "launch_probe: no X display\n");
        return 2;
    }
    int damage_event = 0;
    int damage_error = 0;
    if (!XDamageQueryExtension(display, &damage_event, &damage_error)) {
        std::fprintf(stderr, "launch_probe: the X server has no DAMAGE extension\n");
        return 2;
    }
    XSetErrorHandler(ignore_vanished_windows);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    using clock = std::chrono::steady_clock;
    const auto start = clock::now();
    const auto since_start = [&start] {
        return std::chrono::duration<double, std::milli>(clock::now() - start).count();
    };
    const pid_t child = fork();
    if (child == 0) {
        execv(argv[2], argv + 2);
        _exit(127);
    }

    double map_ms = -1;
    double draw_ms = -1;
    const int fd = ConnectionNumber(display);
    while (draw_ms < 0) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == CreateNotify)
                XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
            else if (event.type == MapNotify && map_ms < 0)
                map_ms = since_start();
            else if (event.type == damage_event + XDamageNotify && draw_ms < 0)
                draw_ms = since_start();
        }
        if (draw_ms >= 0)
            break;
        fd_set read_set;
        FD_ZERO(&read_set);
        FD_SET(fd, &read_set);
        timeval timeout { 10, 0 };
        if (select(fd + 1, &read_set, nullptr, nullptr, &timeout) <= 0) {
            std::fprintf(stderr, "launch_probe: no drawing within 10 s\n");
            kill(child, SIGKILL);
            return 1;
        }
    }

    std::this_thread::sleep_for(std::chrono::milliseconds(settle_ms));
    const std::string proc = "/proc/" + std::to_string(child);
    const long rss = field_kib(proc + "/status", "VmRSS:");
    const long pss = field_kib(proc + "/smaps_rollup", "Pss:");
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    std::printf("%.2f %.2f %ld %ld\n", map_ms, draw_ms, rss, pss);
    return 0;
}
