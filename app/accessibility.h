// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls/controls.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <utility>

class QLabel;

// What a screen reader learns about the window, through Qt's accessibility
// interfaces only: nothing here changes what the window shows. Labels that show
// a value keep it as their (live) name and say what they are in their
// description; combo boxes, whose name is always their text, carry their role
// in the description.
//
// News (a verdict, the time running out) is spoken through a Voice: an empty,
// unfocusable child of the window with the accessible role of a notification.
// Screen readers read a notification as it is shown, while the changed name or
// description of an ordinary widget is not read unless it has the focus.
//
// The answer box is named after the problem on show ("6 plus 6, your
// answer"): a braille display shows the focused box by its name and its text
// only, so that is where the problem must be for a braille reader.
//
// Where Qt's bridge drops notifications (UI Automation on Windows, a page in
// a browser), each sentence also goes to the platform's own announcement,
// from the same place, with how urgently it is to be said.
namespace skorvex::app {

// Names every control that takes the focus explicitly, as the screen
// readers of every platform are to read it: a combo box by its caption or
// what it is for, and so the edit field inside it.
void describe_for_screen_readers(controls::Controls& c);

// The name a screen reader reads for a control: the one given, else Qt's.
QString accessible_name(QWidget* widget);

// What a sentence of the voice tells, which decides how it is announced.
enum class News { verdict, hint, notice, ten_seconds, time_up, error };

// Time running out, time up and errors may interrupt what is being said; the
// rest waits its turn, and only its latest is worth saying.
bool urgent(News news);

// Hands a sentence to the platform's own announcement: UI Automation's
// notification on Windows, the page's live region in a browser. None where
// Qt's bridge carries the voice's notifications itself (AT-SPI).
using Announcer = std::function<void(QWidget* window, const QString& sentence, News news)>;

// The problem on show as words: "6 plus 6".
QString spoken_problem(const controls::Controls& c);

// The answer box's name: the problem on show and what the box is for.
QString answer_box_name(const controls::Controls& c);

// Draws nothing and takes no input or focus; shown anew for every sentence, so
// that the same sentence twice is heard twice. The sentence is the text of a
// label inside it, not its own name: a braille display (and a screen reader's
// list of recent notifications) shows the labels under a notification.
class Voice : public QWidget {
    Q_OBJECT
public:
    explicit Voice(QWidget* window);
    void say(const QString& sentence);

private:
    QLabel* words_;
};

// Runs the handlers that can bring news and then says what each changed on the
// window, so that the drill's own steps stay as they are.
class Narrator {
public:
    enum class Event { begin, answer, tick };

    Narrator(QWidget* window, controls::Controls& c, Announcer announcer);

    void narrate(Event event, const std::function<void()>& handler);
    // Says the sentence where a screen reader listens; the voice is made at
    // the first, so nothing is spent on it at start or while nobody listens.
    void say(const QString& sentence, News news);

private:
    // What the window showed before a handler ran.
    struct Scene {
        bool running;
        bool notice_shown;
        QString seconds_left;
    };
    [[nodiscard]] Scene scene() const;
    [[nodiscard]] std::pair<QString, News> news(Event event, const Scene& before) const;

    QWidget* window_;
    controls::Controls& c_;
    QLabel* answer_name_;
    Announcer announcer_;
    Voice* voice_ = nullptr;
};

} // namespace skorvex::app
