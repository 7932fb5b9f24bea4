// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/platform.h"

#include "app/main_window.h"

#include <QApplication>

namespace skorvex::platform {

void prepare() {}

void start() {}

// Qt's AT-SPI bridge reads the voice's notification itself.
app::Announcer announcer() { return {}; }

int run(app::MainWindow& window)
{
    window.show();
    return QApplication::exec();
}

} // namespace skorvex::platform
