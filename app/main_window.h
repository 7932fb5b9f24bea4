// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/accessibility.h"
#include "app/error_report.h"
#include "app/guarded.h"
#include "controls/controls.h"
#include "problems/problems.h"
#include "quiz/answer_checker.h"
#include "quiz/run_controller.h"

#include <QWidget>
#include <functional>

class QKeyEvent;

// The drill's one window. It builds the controls, gives the pictures and the
// icon, and wires exactly eight events to their handlers, each through the one
// error boundary: the option buttons' clicks, "Begin!", "GO!", "exit" and the
// ticks of `Timer1`. The window has no handlers of its own; it only routes
// Enter to "GO!", the window's keyboard button, and tells a screen reader
// what "Begin!", "GO!", the ticks and the errors changed.
namespace skorvex::app {

// What the main window is handed by whoever makes it, the platform's main or a
// test; each may be left out.
struct Collaborators {
    // Where the voice's sentences go beyond Qt's own accessibility.
    Announcer announcer {};
    // Hears of each error the boundary caught, once the window has
    // reported it.
    ErrorSink errors {};
    // Replaces the real ending of the program.
    std::function<void()> end_program {};
};

class MainWindow : public QWidget {
    Q_OBJECT

public:
    explicit MainWindow(Collaborators collaborators = {});

    controls::Controls& controls() { return c_; }
    [[nodiscard]] const ErrorReport& error_report() const { return report_; }

signals:
    // The program has ended, its window closed: where the platform has more
    // to end than the window (a page's own elements), it ends it here.
    void ended();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void wire();
    bool enter_clicks_go(const QWidget& receiver, const QKeyEvent& key);
    void end_program();

    controls::Controls c_;
    std::function<void()> end_;
    bool ended_ = false;
    problems::Problems problems_;
    quiz::RunController run_;
    quiz::AnswerChecker answers_;
    ErrorReport report_;
    Narrator narrator_;
    ErrorSink errors_;
};

} // namespace skorvex::app
