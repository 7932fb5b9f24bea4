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
// the page gets, inside Qt's window, one element for each control a reader
// meets on the desktop, over the control's box, in the window's reading order
// (the frame and its settings, the problem as written, the counts and the
// time left): the controls that take the focus with the role, name and state
// Orca reads on Linux, every label shown with its text, and the suns by name
// while they show. Only the control elements take the focus, and none is a
// Tab stop of its own but the one of Qt's focus, the way back into the drill.
//
// The page's focus follows Qt's when Qt's focus moves, or while it is inside
// the drill already: a reader who goes on to the page's own text keeps it
// there through every tick and repaint. Keys reach Qt through the focused
// element. The answer box's element is a text field, so that a touch screen
// brings up its keyboard there, and so is each combo box's element, a text
// field with the role of a combo box, so that a screen reader reads the new
// value the arrow keys choose; a combo box's list is a list box while it is
// open. Once the program has ended, the elements leave the page.
namespace skorvex::app {
class MainWindow;
}

namespace skorvex::platform {

class PageMirror : public QObject {
public:
    // Also ends with the window: the page is told so.
    explicit PageMirror(app::MainWindow& window);
    ~PageMirror() override;

    // Names, texts and states afresh; the page's focus where Qt's is, if it
    // moved or the page's focus is in the drill.
    void refresh();
    // The control of the page's element `index`, in the order they were made,
    // while the program has not ended.
    QWidget* widget_at(int index) const;
    // Qt's window made active, as the page's focus is back in the drill.
    void activate();
    // Takes the elements out of the page, for good.
    void end();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Node;
    void build();
    void refresh_list(Node& node);
    void follow_focus(bool qt_focus_moved);
    void schedule_refresh();

    QWidget& window_;
    controls::Controls& c_;
    std::vector<Node> nodes_;
    bool refresh_due_ = false;
    bool focus_moved_ = true;
    bool follow_due_ = false;
    bool ended_ = false;
};

} // namespace skorvex::platform
