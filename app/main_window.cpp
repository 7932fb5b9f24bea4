// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/main_window.h"

#include "app/guarded.h"
#include "assets/pictures.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>

namespace skorvex::app {

MainWindow::MainWindow(Collaborators collaborators)
    : c_(controls::build_controls(*this))
    , end_(collaborators.end_program ? std::move(collaborators.end_program)
                                     : std::function<void()>([this] { this->end_program(); }))
    , problems_(c_)
    , run_(c_, problems_, end_)
    , answers_(c_, problems_)
    , report_(this)
    , narrator_(this, c_, std::move(collaborators.announcer))
    , errors_(std::move(collaborators.errors))
{
    c_.sunhap->set_picture(assets::happy_sun);
    c_.sunsad->set_picture(assets::sad_sun);
    // Before the window is first shown, so that the title bar and the task
    // list have the icon from the start.
    setWindowIcon(assets::window_icon());
    describe_for_screen_readers(c_);
    wire();
    qApp->installEventFilter(this);
}

void MainWindow::wire()
{
    const ErrorSink sink = [this](const runtime::Error& error) {
        report_.report(error);
        narrator_.say(report_.sentence(), News::error);
        if (errors_)
            errors_(error);
    };
    using Event = Narrator::Event;
    connect(c_.add, &QRadioButton::clicked, this, guarded([this] { run_.add_Click(); }, sink));
    connect(c_.subt, &QRadioButton::clicked, this, guarded([this] { run_.subt_Click(); }, sink));
    connect(c_.mult, &QRadioButton::clicked, this, guarded([this] { run_.mult_Click(); }, sink));
    connect(c_.div, &QRadioButton::clicked, this, guarded([this] { run_.div_Click(); }, sink));
    connect(c_.begin, &QPushButton::clicked, this,
        guarded([this] { narrator_.narrate(Event::begin, [this] { run_.begin_Click(); }); }, sink));
    connect(c_.exit, &QPushButton::clicked, this, guarded([this] { run_.exit_Click(); }, sink));
    connect(c_.Timer1, &QTimer::timeout, this,
        guarded([this] { narrator_.narrate(Event::tick, [this] { run_.Timer1_Timer(); }); }, sink));
    connect(c_.do_math, &QPushButton::clicked, this,
        guarded([this] { narrator_.narrate(Event::answer, [this] { answers_.do_math_Click(); }); },
            sink));
}

// The desktop's colour scheme changed (Qt tells the application itself): the
// controls take their colours afresh and repaint; nothing else changes.
// Enter is caught here, before the control with the focus sees it: some
// desktops' themes let an option button or a combo box take Enter for itself.
bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange)
        controls::follow_colour_scheme(*this);
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()
        && static_cast<QWidget*>(watched)->window() == this
        && enter_clicks_go(*static_cast<QWidget*>(watched), *static_cast<QKeyEvent*>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

// Enter clicks "GO!" from anywhere in the window except another button, which
// takes Enter itself. While "GO!" is disabled Enter does nothing at all, under
// every theme alike. The keypad's Enter comes with the keypad modifier set,
// and counts the same.
bool MainWindow::enter_clicks_go(const QWidget& receiver, const QKeyEvent& key)
{
    const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    const bool plain = (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (!enter || !plain || qobject_cast<const QPushButton*>(&receiver) != nullptr)
        return false;
    if (c_.do_math->isEnabled())
        c_.do_math->click();
    return true;
}

// Nothing is saved and nothing asked: the timer stops so no tick follows, the
// window closes with its error report and the event loop ends at once, so
// that nothing already queued is handled. The window is disabled too: where
// the loop is the browser's and goes on, no key or click reaches a handler.
void MainWindow::end_program()
{
    if (ended_)
        return;
    ended_ = true;
    c_.Timer1->stop();
    setEnabled(false);
    if (report_.box() != nullptr)
        report_.box()->close();
    close();
    emit ended();
    QCoreApplication::exit(0);
}

// The close button ends the program as "exit" does, with no handler run.
void MainWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    end_();
}

} // namespace skorvex::app
