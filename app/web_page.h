// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls/controls.h"

#include <QObject>
#include <QString>
#include <vector>

class QWidget;

// The drill in a web page. Qt draws the window on a canvas, which a screen
// reader cannot read, and its own accessibility in the browser waits for the
// learner to switch it on and names neither text boxes nor combo boxes. So
// the page gets, inside Qt's window, one element for each control that takes
// the focus, over the control's box, with the role, name and state Orca reads
// on Linux; the element of the control that has Qt's focus has the page's
// focus, so that the browser's focus follows the keyboard's and every key
// still reaches Qt through it. The answer box's element is a text field, so
// that a touch screen brings up its keyboard there. The voice's sentences go
// to the page's own live regions. Only built for WebAssembly.
namespace skorvex::app {

// Before the application starts: Qt's own text input on a page is left out,
// as it would take the page's focus for itself.
void prepare_page();

// Before the window is built: the faces the window draws with, which a page
// has not got, from the program's resources.
void add_page_fonts();

// Tells the page that the program has ended, so that it says so.
void tell_page_ended();

class PageMirror : public QObject {
public:
    PageMirror(QWidget& window, controls::Controls& c);
    ~PageMirror() override;

    // Roles, names and states afresh, and the page's focus where Qt's is.
    void refresh();
    // The control of the page's element `index`, in the order they were made.
    QWidget* widget_at(int index) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Node;
    void build();
    void follow_focus();

    QWidget& window_;
    controls::Controls& c_;
    std::vector<Node> nodes_;
    bool refresh_due_ = false;
};

} // namespace skorvex::app
