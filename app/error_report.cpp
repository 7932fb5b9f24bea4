// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/error_report.h"

#include <QLabel>
#include <QMessageBox>
#include <QTextBoundaryFinder>
#include <cstdio>

namespace skorvex::app {

using namespace Qt::StringLiterals;

namespace {
    constexpr char16_t first_strong_isolate = u'\u2068';
    constexpr char16_t pop_isolate = u'\u2069';

    // U+2066, U+2067 and U+2068 each open an isolate; U+2069 closes the last
    // one open.
    bool opens_isolate(QChar c) { return c.unicode() >= 0x2066 && c.unicode() <= 0x2068; }

    // A line or paragraph break: it would end the line on screen, and every
    // isolate with it, so that a direction mark after it could turn the
    // sentence's own words around.
    bool is_break(QChar c)
    {
        switch (c.unicode()) {
        case 0x000A: // line feed
        case 0x000B: // vertical tab
        case 0x000C: // form feed
        case 0x000D: // carriage return
        case 0x001C: // the three information separators end a paragraph too
        case 0x001D:
        case 0x001E:
        case 0x0085: // next line
        case 0x2028: // line separator
        case 0x2029: // paragraph separator
            return true;
        default:
            return false;
        }
    }

    // Marks that set the direction of what follows them.
    bool is_direction_control(QChar c)
    {
        const char16_t u = c.unicode();
        return u == 0x061C || u == 0x200E || u == 0x200F || (u >= 0x202A && u <= 0x202E)
            || (u >= 0x2066 && u <= 0x2069);
    }

    // An error in a value the drill worked out itself: nothing was typed, so
    // the report says what went wrong in its own words.
    QString own_words(runtime::ErrorKind kind)
    {
        switch (kind) {
        case runtime::ErrorKind::overflow:
            return u"A number the drill worked out is outside -32768 to 32767."_s;
        case runtime::ErrorKind::array_bounds:
            return u"The drill looked for a problem past the end of its list."_s;
        case runtime::ErrorKind::real_arithmetic:
            return u"A number the drill worked out could not be rounded."_s;
        case runtime::ErrorKind::conversion:
            break;
        }
        return {};
    }

    // A long typed text shows its start, cut between two characters as the
    // reader sees them, never inside one.
    QString shortened(const std::string& text)
    {
        constexpr qsizetype shown = 60;
        QString kept = QString::fromStdString(text);
        if (kept.size() <= shown)
            return kept;
        QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, kept);
        characters.setPosition(shown);
        if (!characters.isAtBoundary())
            characters.toPreviousBoundary();
        kept.truncate(characters.position());
        return kept + u'\u2026';
    }

    // On screen a typed text stands in the sentence as a unit of its own, on
    // one line, so that whatever direction marks it holds act inside it only.
    // Every break shows as a pilcrow, which every face of the window has.
    // Every isolate it opens is closed, and a close it makes without an open
    // gets one, so that it cannot end the unit early. The added marks are not
    // drawn, and every other typed character stays.
    QString isolated(QString typed)
    {
        for (QChar& c : typed)
            if (is_break(c))
                c = u'\u00B6';
        qsizetype open = 0;
        qsizetype unopened = 0;
        for (const QChar c : typed) {
            if (opens_isolate(c))
                ++open;
            else if (c == pop_isolate && open > 0)
                --open;
            else if (c == pop_isolate)
                ++unopened;
        }
        return QString(unopened + 1, first_strong_isolate) + typed + QString(open, pop_isolate)
            + pop_isolate;
    }

    // The report's second line. Speech and a braille line take the
    // characters in their order, where no mark can reorder anything: they get
    // the text as typed, with no marks added.
    QString detail_of(const runtime::Error& error, bool on_screen)
    {
        if (error.text().empty())
            return own_words(error.kind());
        const QString typed = shortened(error.text());
        return u"The text \"%1\" could not be used."_s.arg(on_screen ? isolated(typed) : typed);
    }

    // The line on standard error is for a terminal: a typed character that
    // could change how the terminal shows what follows it (an escape
    // sequence, a break, a direction mark) is shown as its code, never acted on.
    QByteArray escaped_for_terminal(const QString& line)
    {
        QString shown;
        for (const QChar c : line)
            shown += c.category() == QChar::Other_Control || is_break(c) || is_direction_control(c)
                ? u"\\u%1"_s.arg(int { c.unicode() }, 4, 16, QChar(u'0'))
                : QString(c);
        return shown.toUtf8();
    }
}

ErrorReport::ErrorReport(QWidget* window)
    : window_(window)
{
}

void ErrorReport::report(const runtime::Error& error)
{
    const QString kind = QString::fromUtf8(runtime::kind_name(error.kind()));
    const QString detail = detail_of(error, true);
    const QString said = detail_of(error, false);
    sentence_ = said.isEmpty() ? kind + u'.' : kind + u". "_s + said;
    // The terminal reorders nothing it is shown escaped: it gets the text
    // with no isolate of the report's own.
    line_ = "skorvex: " + escaped_for_terminal(said.isEmpty() ? kind : kind + u": "_s + said);
    std::fprintf(stderr, "%s\n", line_.constData());

    if (box_ == nullptr) {
        box_ = new QMessageBox(window_);
        box_->setObjectName(u"error_report"_s);
        box_->setWindowTitle(u"Skorvex!"_s);
        box_->setIcon(QMessageBox::Warning);
        box_->setStandardButtons(QMessageBox::Ok);
        box_->setWindowModality(Qt::NonModal);
    }
    box_->setText(kind);
    box_->setInformativeText(detail);
    // Shown as typed, character for character: no label of the report takes
    // markup, so nothing typed is drawn as formatting, opens a link or loads
    // a picture.
    for (QLabel* label : box_->findChildren<QLabel*>()) {
        label->setTextFormat(Qt::PlainText);
        label->setOpenExternalLinks(false);
    }
    box_->show();
    box_->raise();
}

} // namespace skorvex::app
