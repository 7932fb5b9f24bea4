// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/main_window.h"

#include <QString>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <utility>
#include <vector>

// Lets GoogleTest print a QString as its text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace skorvex::testing_support {

// The real window, shown on the offscreen platform, handed recorders for what
// it announces and the errors it reports, and a counter for its ending.
// Input goes through the real widgets and wiring.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    controls::Controls& c() { return window->controls(); }
    // Builds and shows the window afresh, as under the palette of the moment.
    void build_window();

    // One tick of `Timer1`, delivered to the timer as the event loop would.
    void tick();
    void ticks(int count);
    // Types into the answer box (replacing what it holds) and presses Enter.
    void answer(const QString& text);
    // Into a run with every caption showing: the Division notice, a sun, a
    // count, the seconds left and a half-typed answer.
    void show_every_caption();
    // Types text key by key into a widget, non-ASCII characters included.
    static void type_text(QWidget* widget, const QString& text);
    // Replaces the edit text of a combo box by typing, as the learner would.
    static void type_into(QComboBox* combo, const QString& text);
    static void type_into(QLineEdit* box, const QString& text);

    std::unique_ptr<app::MainWindow> window;
    // What the window handed the platform's announcement, and whether as urgent.
    std::vector<std::pair<QString, bool>> announced;
    // Each error the boundary caught, in order.
    std::vector<runtime::Error> errors;
    int program_ended = 0;
};

} // namespace skorvex::testing_support
