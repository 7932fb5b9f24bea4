// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <thread>

namespace skorvex::app {

// Reading the system's font configuration is the largest single cost of
// starting the program, and it needs no Qt: this reads it on a second thread
// while Qt connects to the display. wait() before the first widget is made,
// so that Qt finds the configuration loaded instead of loading it again.
// Built without fontconfig (where Qt does not use it), it does nothing.
class FontWarmUp {
public:
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;

    void wait();

private:
    std::thread thread_;
};

} // namespace skorvex::app
