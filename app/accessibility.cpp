#include "app/accessibility.h"

#include <QAccessible>

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
    c.ans->setAccessibleName(u"Your answer"_s);
    c.sunhap->setAccessibleName(u"Right!"_s);
    c.sunsad->setAccessibleName(u"Wrong"_s);
    // The two captions beside their combo boxes label them.
    c.Label1->setBuddy(c.tnum);
    c.lvl->setBuddy(c.Level);
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
}

void announce_judgement(controls::Controls& c)
{
    QString verdict;
    if (c.sunhap->isVisibleTo(c.sunhap->parentWidget()))
        verdict = c.sunhap->accessibleName();
    else if (c.sunsad->isVisibleTo(c.sunsad->parentWidget()))
        verdict = c.sunsad->accessibleName();
    else
        return;
    const QString problem
        = u"%1 %2 %3"_s.arg(c.topnum->text(), spoken_sign(c.oper->text()), c.botnum->text());
    const QString announcement = u"%1 Next problem: %2"_s.arg(verdict, problem);
    // A new description is announced by Qt itself; a repeated one is sent
    // again, so that every answer is heard.
    if (c.ans->accessibleDescription() != announcement) {
        c.ans->setAccessibleDescription(announcement);
        return;
    }
    QAccessibleEvent event(c.ans, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

} // namespace skorvex::app
