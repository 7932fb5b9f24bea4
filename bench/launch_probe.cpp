// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Starts a program and reports when its first window is mapped on the X
// server, and its memory a while after that:
//     launch_probe SETTLE_MS PROGRAM [ARGS...]
// prints "map_ms rss_kib pss_kib". The clock starts just before the exec.
#include <X11/Xlib.h>
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
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    using clock = std::chrono::steady_clock;
    const auto start = clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execv(argv[2], argv + 2);
        _exit(127);
    }

    double map_ms = -1;
    const int fd = ConnectionNumber(display);
    while (map_ms < 0) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify) {
                map_ms = std::chrono::duration<double, std::milli>(clock::now() - start).count();
                break;
            }
        }
        if (map_ms >= 0)
            break;
        fd_set read_set;
        FD_ZERO(&read_set);
        FD_SET(fd, &read_set);
        timeval timeout { 10, 0 };
        if (select(fd + 1, &read_set, nullptr, nullptr, &timeout) <= 0) {
            std::fprintf(stderr, "launch_probe: no window within 10 s\n");
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
    std::printf("%.2f %ld %ld\n", map_ms, rss, pss);
    return 0;
}
