// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QTimerEvent>
#include <QtTest/QTest>

namespace skorvex::testing_support {

using namespace Qt::StringLiterals;

void WindowTest::SetUp() { build_window(); }

void WindowTest::build_window()
{
    window = std::make_unique<app::MainWindow>(app::Collaborators {
        .announcer = [this](QWidget*, const QString& sentence,
                         app::News news) { announced.emplace_back(sentence, app::urgent(news)); },
        .errors = [this](const runtime::Error& error) { errors.push_back(error); },
        .end_program = [this] { ++program_ended; },
    });
    window->show();
    window->activateWindow();
    // The platform hands the activation back through the event queue.
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
}

void WindowTest::TearDown() { window.reset(); }

void WindowTest::tick()
{
    QTimer* timer = c().Timer1;
    ASSERT_TRUE(timer->isActive()) << "a tick arrived while the timer was stopped";
    QTimerEvent event(timer->timerId());
    QCoreApplication::sendEvent(timer, &event);
}

void WindowTest::ticks(int count)
{
    for (int i = 0; i < count; ++i)
        ASSERT_NO_FATAL_FAILURE(tick());
}

void WindowTest::type_text(QWidget* widget, const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch.unicode() >= 0x20 && ch.unicode() < 0x7f) {
            QTest::keyClick(widget, ch.toLatin1());
            continue;
        }
        // QTest knows only ASCII keys; other characters come as text, a
        // character beyond the first 65536 as its two halves in one key.
        const qsizetype length = ch.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString typed = text.mid(i, length);
        i += length - 1;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, typed);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, typed);
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

void WindowTest::type_into(QLineEdit* box, const QString& text)
{
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    type_text(box, text);
}

void WindowTest::type_into(QComboBox* combo, const QString& text)
{
    type_into(combo->lineEdit(), text);
}

void WindowTest::answer(const QString& text)
{
    type_into(c().ans, text);
    QTest::keyClick(c().ans, Qt::Key_Return);
}

void WindowTest::show_every_caption()
{
    c().div->click();
    type_into(c().typeprob, u"Tables-ez"_s);
    c().begin->click();
    answer(u"7"_s);
    tick();
    type_into(c().ans, u"12"_s);
}

} // namespace skorvex::testing_support
