// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls/widgets.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <string>

// The window's controls. build_controls() makes all 32 from the control
// table as children of the window and hands back typed handles named exactly
// as the controls are named, so the drill's logic reads like its description:
// `c.anst->text()`, `c.Timer1->start()`.
namespace skorvex::controls {

struct Controls {
    QPushButton* exit = nullptr;
    QComboBox* cmb_tstr = nullptr;
    QComboBox* timetot = nullptr;
    QPushButton* do_math = nullptr;
    QComboBox* typeprob = nullptr;
    QPushButton* begin = nullptr;
    QLineEdit* ans = nullptr;
    QTimer* Timer1 = nullptr;
    QGroupBox* sel = nullptr;
    QComboBox* tnum = nullptr;
    QComboBox* Level = nullptr;
    QRadioButton* div = nullptr;
    QRadioButton* mult = nullptr;
    QRadioButton* subt = nullptr;
    QRadioButton* add = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lvl = nullptr;
    QLabel* options = nullptr;
    QLabel* nodiv = nullptr;
    PictureBox* sunsad = nullptr;
    PictureBox* sunhap = nullptr;
    QLabel* anst = nullptr;
    QLabel* tt = nullptr;
    QLabel* timeleft = nullptr;
    QLabel* oper = nullptr;
    QLabel* incor = nullptr;
    QLabel* cor = nullptr;
    QLabel* incorrect = nullptr;
    QLabel* correct = nullptr;
    QLabel* botnum = nullptr;
    QLabel* topnum = nullptr;
    RuleLine* Line1 = nullptr;
};

// Builds every control with its initial values, places it, sets the window's
// name, title, size and background, and chains the tab order. A control that
// cannot be bound to its handle is a programming error and aborts.
Controls build_controls(QWidget& window);

// Takes every control's colours afresh from the application's palette, as
// after the desktop's colour scheme has changed.
void follow_colour_scheme(QWidget& window);

// The properties the logic reads and writes, as UTF-8 text for the runtime.
std::string caption(const QLabel* label);
void set_caption(QLabel* label, const std::string& text);
std::string text(const QComboBox* combo);
std::string text(const QLineEdit* box);

} // namespace skorvex::controls
