// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The page's elements for a screen reader, read back from the page itself.

#include "platform/web/page_mirror.h"
#include "window_fixture.h"

#include <QApplication>
#include <QtTest/QTest>
#include <emscripten/val.h>
#include <memory>
#include <qpa/qplatformwindow.h>
#include <string>

namespace {

using emscripten::val;
using skorvex::testing_support::WindowTest;
using namespace Qt::StringLiterals;

val document() { return val::global("document"); }

val shadow_root()
{
    return document().call<val>("getElementById", std::string("qt-shadow-container"))["shadowRoot"];
}

class PageMirrorTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        mirror = std::make_unique<skorvex::platform::PageMirror>(*window);
        settle();
    }
    void TearDown() override
    {
        mirror.reset();
        if (outside.as<bool>())
            outside.call<void>("remove");
        WindowTest::TearDown();
    }

    // What the page runs after an event, which no test can wait for inside
    // its own: the follow-up the mirror queued behind a move of Qt's focus,
    // and the next animation frame, handed to the window as Qt's platform
    // hands it on, with the repaint a change asked for.
    void settle()
    {
        val::module_property("skorvexFollow")();
        QCoreApplication::processEvents();
        window->windowHandle()->handle()->deliverUpdateRequest();
        QCoreApplication::processEvents();
    }

    static val element(const QWidget* control)
    {
        return shadow_root().call<val>(
            "querySelector", "[data-control=\"" + control->objectName().toStdString() + "\"]");
    }

    // Every label a reader finds on the desktop shows in the page, as the
    // window shows it now; the hidden ones do not.
    void expect_labels_as_shown(const char* when)
    {
        SCOPED_TRACE(when);
        for (const QLabel* label :
            { c().options, c().Label1, c().lvl, c().nodiv, c().topnum, c().oper, c().botnum,
                c().correct, c().cor, c().incorrect, c().incor, c().timeleft }) {
            const val shown = element(label);
            ASSERT_TRUE(shown.as<bool>()) << label->objectName().toStdString();
            EXPECT_EQ(QString::fromStdString(shown["textContent"].as<std::string>()), label->text())
                << label->objectName().toStdString();
            EXPECT_EQ(shown["hidden"].as<bool>(), !label->isVisibleTo(window.get()))
                << label->objectName().toStdString();
        }
        for (const QWidget* sun :
            { static_cast<QWidget*>(c().sunhap), static_cast<QWidget*>(c().sunsad) }) {
            const val picture = element(sun);
            EXPECT_EQ(picture["hidden"].as<bool>(), !sun->isVisibleTo(window.get()));
            EXPECT_EQ(
                picture.call<val>("getAttribute", std::string("aria-label")).as<std::string>(),
                sun->accessibleName().toStdString());
        }
        for (const QWidget* never_shown : { static_cast<QWidget*>(c().anst),
                 static_cast<QWidget*>(c().tt), static_cast<QWidget*>(c().cmb_tstr) })
            EXPECT_FALSE(element(never_shown).as<bool>())
                << never_shown->objectName().toStdString();
    }

    std::unique_ptr<skorvex::platform::PageMirror> mirror;
    val outside = val::null();
};

TEST_F(PageMirrorTest, EveryLabelAndSunShowsAsTheWindowShowsIt)
{
    expect_labels_as_shown("at start");
    c().begin->click();
    settle();
    expect_labels_as_shown("a run begun");
    answer(c().anst->text());
    settle();
    expect_labels_as_shown("a right answer");
    answer(u"-1"_s);
    tick();
    settle();
    expect_labels_as_shown("a wrong answer and a tick");
    while (c().Timer1->isActive())
        tick();
    c().div->click();
    c().typeprob->setCurrentIndex(1);
    c().begin->click();
    settle();
    ASSERT_TRUE(c().nodiv->isVisibleTo(window.get()));
    expect_labels_as_shown("the Division notice");
}

TEST_F(PageMirrorTest, PageFocusLeftOutsideTheDrillStaysThereUntilQtsFocusMoves)
{
    const val answer_box = element(c().ans);
    EXPECT_TRUE(shadow_root()["activeElement"] == element(c().begin));
    outside = document().call<val>("createElement", std::string("a"));
    outside.set("href", std::string("#"));
    outside.set("textContent", std::string("elsewhere on the page"));
    document()["body"].call<void>("appendChild", outside);
    outside.call<void>("focus");
    c().begin->click();
    settle();
    ASSERT_TRUE(shadow_root()["activeElement"] == answer_box) << "Begin! moves Qt's focus";
    outside.call<void>("focus");
    type_into(c().ans, u"3"_s);
    tick();
    window->update();
    settle();
    EXPECT_TRUE(document()["activeElement"] == outside) << "a tick or a repaint took the focus";
    EXPECT_EQ(answer_box["value"].as<std::string>(), "3");
    c().do_math->setFocus();
    settle();
    EXPECT_TRUE(shadow_root()["activeElement"] == element(c().do_math));
}

TEST(PageMirror, TheElementsLeaveThePageWhenTheProgramEnds)
{
    skorvex::app::MainWindow window;
    window.show();
    skorvex::platform::PageMirror mirror(window);
    const val layer = shadow_root().call<val>("querySelector", std::string(".skorvex-controls"));
    ASSERT_TRUE(layer.as<bool>());
    window.controls().exit->click();
    EXPECT_FALSE(layer["isConnected"].as<bool>());
    EXPECT_EQ(mirror.widget_at(0), nullptr) << "a reader's click would still reach a control";
}

} // namespace
