// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "runtime/error.h"

#include <QByteArray>
#include <QString>

class QMessageBox;
class QWidget;

namespace skorvex::app {

// Tells the learner about an error without stopping the drill: one non-modal
// message window, reused for every error, and a line on standard error. It
// never runs an event loop of its own, so no tick or click is handled while a
// handler is still running.
class ErrorReport {
public:
    explicit ErrorReport(QWidget* window);

    void report(const runtime::Error& error);
    // The last report as one sentence, for a screen reader.
    [[nodiscard]] QString sentence() const { return sentence_; }
    // The last report's line on standard error, without its line end.
    [[nodiscard]] const QByteArray& terminal_line() const { return line_; }
    [[nodiscard]] QMessageBox* box() const { return box_; }

private:
    QWidget* window_;
    QMessageBox* box_ = nullptr; // a child of the window, made at the first error
    QString sentence_;
    QByteArray line_;
};

} // namespace skorvex::app
