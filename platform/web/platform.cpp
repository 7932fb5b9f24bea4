// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/platform.h"

#include "app/accessibility.h"
#include "app/main_window.h"
#include "platform/web/page_mirror.h"
#include "platform/web/page_names.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <emscripten/val.h>
#include <string>

namespace skorvex::platform {

using app::News;
using app::urgent;
using namespace Qt::StringLiterals;

namespace {
    // Into the page's own live region: a polite one for what may wait, an
    // assertive one for what may not. Each sentence is a new paragraph in it, in
    // place of the last. A screen reader takes a sentence the same as the last
    // one for an echo and drops it: the same sentence again ends in a no-break
    // space, which no voice says, so that it is said twice.
    void announce(QWidget*, const QString& sentence, News news)
    {
        using emscripten::val;
        const val document = val::global("document");
        const val region = document.call<val>("getElementById",
            std::string(urgent(news) ? page_names::assertive_region : page_names::polite_region));
        if (region.isNull())
            return;
        std::string words = sentence.toStdString();
        if (region["textContent"].as<std::string>() == words)
            words += "\u00A0";
        val line = document.call<val>("createElement", std::string("p"));
        line.set("textContent", words);
        region.call<void>("replaceChildren", line);
    }

}

// Qt's own text input on a page takes the page's focus for every widget that
// takes the focus, away from the elements that name them.
void prepare() { qputenv("QT_IM_MODULE", "none"); }

void start()
{
    // The window asks for Liberation Sans by name; the page's cut of it
    // carries a name of its own.
    QFontDatabase::addApplicationFont(u":/fonts/SkorvexSans-Regular.ttf"_s);
    QFontDatabase::addApplicationFont(u":/fonts/SkorvexSans-Bold.ttf"_s);
    QFontDatabase::addApplicationFont(u":/fonts/DejaVuSans.ttf"_s);
    QFont::insertSubstitution(u"Liberation Sans"_s, u"Skorvex Sans"_s);
}

app::Announcer announcer() { return announce; }

int run(app::MainWindow& window)
{
    // The page is the frame: the window fills its place there.
    window.setWindowFlag(Qt::FramelessWindowHint);
    window.move(0, 0);
    // The page's elements are made before Qt first gives its canvas the
    // focus, which they change.
    window.winId();
    // Kept with the window, not here: in a page exec() leaves this frame to
    // the browser's loop, and what lived in it is written over by what runs
    // next (main's own frame stays).
    (new PageMirror(window))->setParent(&window);
    window.show();
    return QApplication::exec();
}

} // namespace skorvex::platform
