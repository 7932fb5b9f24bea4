// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <array>
#include <utility>

namespace skorvex::app {

using namespace Qt::StringLiterals;

void describe_for_screen_readers(controls::Controls& c)
{
    c.topnum->setAccessibleDescription(u"Top number"_s);
    c.botnum->setAccessibleDescription(u"Bottom number"_s);
    c.oper->setAccessibleDescription(u"Operation"_s);
    c.cor->setAccessibleDescription(u"Correct answers"_s);
    c.incor->setAccessibleDescription(u"Incorrect answers"_s);
    c.timeleft->setAccessibleDescription(u"Seconds left"_s);
    c.typeprob->setAccessibleDescription(u"Problem type"_s);
    c.timetot->setAccessibleDescription(u"Time limit"_s);
    c.Level->setAccessibleDescription(u"Difficulty level"_s);
    c.tnum->setAccessibleDescription(u"Starting table"_s);
    c.sunhap->setAccessibleName(u"Right!"_s);
    c.sunsad->setAccessibleName(u"Wrong"_s);
    // The two captions beside their combo boxes label them.
    c.Label1->setBuddy(c.tnum);
    c.lvl->setBuddy(c.Level);
    // Qt names a combo box by its text on Linux and by a label or nothing
    // elsewhere: each is named here as Orca reads it on Linux.
    const std::array<std::pair<QComboBox*, QString>, 4> settings {
        { { c.typeprob, u"Problem type"_s }, { c.timetot, u"Time limit"_s },
            { c.Level, c.lvl->text() }, { c.tnum, c.Label1->text() } }
    };
    for (const auto& [combo, name] : settings) {
        combo->setAccessibleName(name);
        combo->lineEdit()->setAccessibleName(name);
    }
}

QString accessible_name(QWidget* widget)
{
    if (!widget->accessibleName().isEmpty())
        return widget->accessibleName();
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    return iface != nullptr ? iface->text(QAccessible::Name) : QString();
}

bool urgent(News news)
{
    switch (news) {
    case News::ten_seconds:
    case News::time_up:
    case News::error:
        return true;
    case News::verdict:
    case News::hint:
    case News::notice:
        break;
    }
    return false;
}

namespace {
    QString spoken_sign(const QString& sign)
    {
        if (sign == u"+"_s)
            return u"plus"_s;
        if (sign == u"-"_s)
            return u"minus"_s;
        if (sign == u"x"_s)
            return u"times"_s;
        if (sign == u"\u00F7"_s)
            return u"divided by"_s;
        return sign;
    }

    // "Right!" ends a sentence already; "Wrong" needs a stop.
    QString sentence(const QString& words)
    {
        return words.endsWith(u'!') || words.endsWith(u'.') ? words : words + u'.';
    }

    QAccessibleInterface* voice_interface(const QString& class_name, QObject* object)
    {
        if (class_name == QLatin1StringView(Voice::staticMetaObject.className())
            && object->isWidgetType())
            return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
        return nullptr;
    }
}

QString spoken_problem(const controls::Controls& c)
{
    return u"%1 %2 %3"_s.arg(c.topnum->text(), spoken_sign(c.oper->text()), c.botnum->text());
}

QString answer_box_name(const controls::Controls& c)
{
    return spoken_problem(c) + u", your answer"_s;
}

Voice::Voice(QWidget* window)
    : QWidget(window)
    , words_(new QLabel(this))
{
    static const bool factory_installed = (QAccessible::installFactory(voice_interface), true);
    Q_UNUSED(factory_installed);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 0, 0);
    words_->setTextFormat(Qt::PlainText);
    words_->setGeometry(0, 0, 0, 0);
    hide();
}

void Voice::say(const QString& sentence)
{
    hide();
    words_->setText(sentence);
    show();
}

Narrator::Narrator(QWidget* window, controls::Controls& c, Announcer announcer)
    : window_(window)
    , c_(c)
    , answer_name_(new QLabel(u"Your answer"_s, c.ans->parentWidget()))
    , announcer_(std::move(announcer))
{
    // The answer box takes its name from this unseen label, its buddy, so
    // that a new problem is no name change of the focused box: screen readers
    // that speak such a change would say the problem before the verdict,
    // and then again in it.
    answer_name_->setTextFormat(Qt::PlainText);
    answer_name_->setBuddy(c.ans);
    answer_name_->hide();
}

void Narrator::say(const QString& sentence, News news)
{
    if (announcer_)
        announcer_(window_, sentence, news);
    if (!QAccessible::isActive())
        return;
    if (voice_ == nullptr)
        voice_ = new Voice(window_);
    voice_->say(sentence);
}

Narrator::Scene Narrator::scene() const
{
    return { !c_.begin->isEnabled(), c_.nodiv->isVisibleTo(c_.nodiv->parentWidget()),
        c_.timeleft->text() };
}

void Narrator::narrate(Event event, const std::function<void()>& handler)
{
    const Scene before = scene();
    handler();
    // The answer box carries the problem on show: that is what is read when
    // "Begin!" puts the focus there, whenever the learner comes back to it,
    // and on a braille display all along. The box keeping the focus is told
    // so again: a screen reader then reads its name afresh for the braille
    // line, and says nothing, as the focus did not move.
    if (event != Event::tick) {
        answer_name_->setText(answer_box_name(c_));
        if (c_.ans->hasFocus() && QAccessible::isActive()) {
            QAccessibleEvent focus(c_.ans, QAccessible::Focus);
            QAccessible::updateAccessibility(&focus);
        }
    }
    const auto [words, kind] = news(event, before);
    if (!words.isEmpty())
        say(words, kind);
}

std::pair<QString, News> Narrator::news(Event event, const Scene& before) const
{
    const Scene now = scene();
    const QString notice
        = now.notice_shown && !before.notice_shown ? sentence(c_.nodiv->text()) : QString();
    switch (event) {
    case Event::begin:
        // The focus arriving in the answer box reads the problem; a notice
        // shown at the same moment is said with it, so neither cuts off the other.
        if (notice.isEmpty())
            return {};
        return { u"%1 %2"_s.arg(notice, sentence(spoken_problem(c_))), News::notice };
    case Event::answer: {
        QString verdict;
        if (c_.sunhap->isVisibleTo(c_.sunhap->parentWidget()))
            verdict = c_.sunhap->accessibleName();
        else if (c_.sunsad->isVisibleTo(c_.sunsad->parentWidget()))
            verdict = c_.sunsad->accessibleName();
        else
            return { u"Type a number."_s, News::hint };
        const QString next = u"Next problem: %1"_s.arg(sentence(spoken_problem(c_)));
        return { (QStringList { sentence(verdict), notice, next }).join(u' ').simplified(),
            News::verdict };
    }
    case Event::tick:
        if (before.running && !now.running)
            return { u"Time is up. %1 right, %2 wrong."_s.arg(c_.cor->text(), c_.incor->text()),
                News::time_up };
        if (now.seconds_left != before.seconds_left && now.seconds_left == u"10"_s)
            return { u"10 seconds left."_s, News::ten_seconds };
        return {};
    }
    return {};
}

} // namespace skorvex::app
