// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/error_report.h"

#include <QMessageBox>
#include <cstdio>

namespace skorvex::app {

using namespace Qt::StringLiterals;

namespace {
    // A typed text can be very long; the report shows its start.
    QString shortened(const std::string& text)
    {
        constexpr qsizetype shown = 60;
        QString whole = QString::fromStdString(text);
        if (whole.size() <= shown)
            return whole;
        return whole.left(shown) + u"\u2026"_s;
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
}

ErrorReport::ErrorReport(QWidget* window)
    : window_(window)
{
}

void ErrorReport::report(const runtime::Error& error)
{
    const QString kind = QString::fromUtf8(runtime::kind_name(error.kind()));
    const QString detail = error.text().empty()
        ? own_words(error.kind())
        : u"The text \"%1\" could not be used."_s.arg(shortened(error.text()));

    std::fprintf(stderr, "skorvex: %s%s%s\n", qPrintable(kind), detail.isEmpty() ? "" : ": ",
        qPrintable(detail));

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
    box_->show();
    box_->raise();
}

QString ErrorReport::sentence() const
{
    if (box_ == nullptr)
        return {};
    if (box_->informativeText().isEmpty())
        return box_->text() + u'.';
    return box_->text() + u". "_s + box_->informativeText();
}

} // namespace skorvex::app
