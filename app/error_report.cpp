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

    // On screen a typed text stands in the sentence as a unit of its own,
    // so that whatever direction marks it holds act inside it only. Every
    // isolate it opens is closed, and a close it makes without an open gets
    // one, so that it cannot end the unit early. The added marks are not
    // drawn, and every typed character stays.
    QString isolated(const QString& typed)
    {
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

    // The line on standard error is for a terminal: a typed control character
    // (an escape sequence, a line break) is shown, never acted on.
    QByteArray terminal_line(const QString& line)
    {
        QString shown;
        for (const QChar c : line)
            shown += c.category() == QChar::Other_Control
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

    std::fprintf(stderr, "skorvex: %s%s%s\n", qPrintable(kind), detail.isEmpty() ? "" : ": ",
        terminal_line(detail).constData());

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
