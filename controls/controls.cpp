// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/controls.h"

#include "controls/colours.h"
#include "controls/control_table.h"
#include "controls/outline_style.h"
#include "controls/units.h"
#include "controls/widgets.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QHash>
#include <QPalette>
#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace skorvex::controls {

using namespace Qt::StringLiterals;

namespace {

    QString to_qstring(QStringView view) { return view.toString(); }

    QRect box_of(const ControlRow& row)
    {
        return { twips_to_pixels(row.left), twips_to_pixels(row.top), twips_to_pixels(row.width),
            twips_to_pixels(row.height) };
    }

    // The face itself where it is installed, else Liberation Sans, which has
    // Arial's metrics. Naming only an installed face spares Qt a search for
    // substitutes at start-up; so does looking the face up in the list of
    // installed families, where QFontDatabase::hasFamily() would first ask
    // fontconfig what a missing face stands for.
    QFont make_font(const QString& face, qreal points, QFont::Weight weight)
    {
        QFont font;
        const bool installed = QFontDatabase::families().contains(face, Qt::CaseInsensitive);
        font.setFamily(installed ? face : u"Liberation Sans"_s);
        font.setPointSizeF(points);
        font.setWeight(weight);
        return font;
    }

    // Each font is made once and shared by the controls that use it.
    const QFont& font_of(Font font)
    {
        switch (font) {
        case Font::A: {
            static const QFont a = make_font(u"Arial"_s, 36, QFont::Bold);
            return a;
        }
        case Font::B: {
            static const QFont b = make_font(u"Arial"_s, 36, QFont::Normal);
            return b;
        }
        case Font::C: {
            static const QFont c = make_font(u"MS Sans Serif"_s, 13.8, QFont::Normal);
            return c;
        }
        case Font::standard:
            break;
        }
        // The window's own font: a small plain sans face whose widths fit the
        // captions to their boxes, whatever the desktop's default.
        static const QFont standard = make_font(u"MS Sans Serif"_s, 8, QFont::Normal);
        return standard;
    }

    // Every ground in the window is the scheme's Base and every text on it
    // the scheme's Text, the role made for that ground, so the pair holds in
    // dark and high-contrast schemes alike. In the standard scheme Base is
    // white and Text black: the window and title-bar text colours and the
    // highlighted-text colour used here as grounds are white there too.
    QColor colour_of(Colour colour, const QPalette& system)
    {
        const QColor ground = system.color(QPalette::Active, QPalette::Base);
        switch (colour) {
        case Colour::window_background:
        case Colour::title_text:
        case Colour::highlight_text:
            return ground;
        case Colour::window_text:
            return system.color(QPalette::Active, QPalette::Text);
        case Colour::red:
            return readable_red(ground);
        case Colour::standard:
            break;
        }
        return {};
    }

    // The ground holds in every state. Text follows the scheme's Text in each
    // state, so that a disabled control draws in the scheme's disabled colour.
    void apply_look(QWidget* widget, Kind kind, const Look& look)
    {
        const QPalette system = QApplication::palette();
        QPalette palette = widget->palette();
        const bool has_text_colour = look.fore != Colour::standard || kind == Kind::Label
            || kind == Kind::Frame || kind == Kind::OptionButton;
        if (has_text_colour)
            for (const auto group : { QPalette::Active, QPalette::Inactive, QPalette::Disabled }) {
                const bool red = look.fore == Colour::red && group != QPalette::Disabled;
                palette.setColor(group, QPalette::WindowText,
                    red ? colour_of(Colour::red, system) : system.color(group, QPalette::Text));
            }
        const QColor back = colour_of(look.back, system);
        if (back.isValid()) {
            palette.setColor(widget->backgroundRole(), back);
            widget->setAutoFillBackground(true);
        }
        widget->setPalette(palette);
    }

    void apply_window_look(QWidget& window)
    {
        QPalette palette = window.palette();
        palette.setColor(
            QPalette::Window, colour_of(Colour::highlight_text, QApplication::palette()));
        window.setPalette(palette);
        window.setAutoFillBackground(true);
    }

    Qt::Alignment alignment_of(Align align)
    {
        return align == Align::centre ? Qt::AlignHCenter | Qt::AlignTop
                                      : Qt::AlignLeft | Qt::AlignTop;
    }

    QComboBox* make_combo(QWidget* parent, const ControlRow& row)
    {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        // The edit field holds exactly what is typed: no completion (a Qt
        // built without it has none to turn off), and Enter adds nothing to
        // the list.
#if QT_CONFIG(completer)
        combo->setCompleter(nullptr);
#endif
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->lineEdit()->setMaxLength(INT_MAX);
        for (const QStringView item : row.items)
            combo->addItem(to_qstring(item));
        combo->setEditText(to_qstring(row.caption));
        return combo;
    }

    QLabel* make_label(QWidget* parent, const ControlRow& row)
    {
        auto* label = new QLabel(to_qstring(row.caption), parent);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(alignment_of(row.look.align));
        return label;
    }

    QObject* make_control(QWidget& window, QWidget* parent, const ControlRow& row)
    {
        switch (row.kind) {
        case Kind::Label:
            return make_label(parent, row);
        case Kind::TextBox: {
            auto* box = new FlatLineEdit(to_qstring(row.caption), parent);
            box->setFrame(false);
            box->setTextMargins(1, 1, 1, 1);
            box->setMaxLength(INT_MAX);
            box->setAlignment(row.look.align == Align::centre ? Qt::AlignCenter : Qt::AlignLeft);
            return box;
        }
        case Kind::ComboBox:
            return make_combo(parent, row);
        case Kind::OptionButton: {
            auto* option = new QRadioButton(to_qstring(row.caption), parent);
            option->setChecked(row.start == Start::selected);
            return option;
        }
        case Kind::CommandButton: {
            auto* button = new QPushButton(to_qstring(row.caption), parent);
            // A focused button answers Enter itself, as well as Space.
            button->setAutoDefault(true);
            return button;
        }
        case Kind::Frame:
            return new QGroupBox(to_qstring(row.caption), parent);
        case Kind::Image: {
            auto* image = new PictureBox(parent);
            image->setTextFormat(Qt::PlainText);
            image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return image;
        }
        case Kind::Line:
            return new RuleLine(parent);
        case Kind::Timer: {
            auto* timer = new QTimer(&window);
            timer->setInterval(timer_interval_ms);
            return timer;
        }
        }
        return nullptr;
    }

    void apply_row(QWidget* widget, const ControlRow& row)
    {
        if (row.kind == Kind::Line) {
            const int x1 = twips_to_pixels(line1_x1);
            const int y = twips_to_pixels(line1_y);
            widget->setGeometry(x1, y - line1_pixel_width / 2, twips_to_pixels(line1_x2) - x1 + 1,
                line1_pixel_width);
            return;
        }
        widget->setGeometry(box_of(row));
        // A picture larger than its box still shows whole from the box's corner.
        if (row.kind == Kind::Image)
            widget->resize(widget->size().expandedTo(QSize(picture_size, picture_size)));
        if (row.font != Font::standard)
            widget->setFont(font_of(row.font));
        apply_look(widget, row.kind, row.look);
        if (row.start == Start::hidden)
            widget->hide();
        if (row.start == Start::disabled)
            widget->setEnabled(false);
    }

    void chain_tab_order(const QHash<QStringView, QObject*>& made)
    {
        std::vector<const ControlRow*> ordered;
        for (const auto& row : control_rows)
            if (row.tab_index >= 0)
                ordered.push_back(&row);
        std::sort(ordered.begin(), ordered.end(),
            [](const ControlRow* a, const ControlRow* b) { return a->tab_index < b->tab_index; });
        QWidget* previous = nullptr;
        for (const ControlRow* row : ordered) {
            auto* widget = qobject_cast<QWidget*>(made.value(row->name));
            if (widget == nullptr || !(widget->focusPolicy() & Qt::TabFocus))
                continue;
            if (previous != nullptr)
                QWidget::setTabOrder(previous, widget);
            previous = widget;
        }
    }

    // Tab enters the option group at its selected button and the arrows move
    // within it, so only the selected button is a Tab stop. Set after the tab
    // order is chained: Qt leaves buttons that are no Tab stops out of it.
    void tab_stop_when_selected(QRadioButton* option)
    {
        const auto follow = [option](bool selected) {
            option->setFocusPolicy(selected ? Qt::StrongFocus : Qt::ClickFocus);
        };
        follow(option->isChecked());
        QObject::connect(option, &QAbstractButton::toggled, option, follow);
    }

    template <typename T>
    void bind(T*& handle, const QHash<QStringView, QObject*>& made, QStringView name)
    {
        handle = qobject_cast<T*>(made.value(name));
        if (handle == nullptr) {
            std::fprintf(stderr, "skorvex: control %s is missing or of the wrong kind\n",
                qPrintable(name.toString()));
            std::abort();
        }
    }

} // namespace

Controls build_controls(QWidget& window)
{
    window.setObjectName(u"skorvex"_s);
    window.setWindowTitle(u"Skorvex!"_s);
    window.resize(twips_to_pixels(window_width), twips_to_pixels(window_height));
    window.setFont(font_of(Font::standard));
    apply_window_look(window);

    QHash<QStringView, QObject*> made;
    made.reserve(static_cast<qsizetype>(control_rows.size()));
    for (const auto& row : control_rows) {
        QWidget* parent
            = row.container.empty() ? &window : qobject_cast<QWidget*>(made.value(row.container));
        QObject* control = make_control(window, parent, row);
        control->setObjectName(to_qstring(row.name));
        if (auto* widget = qobject_cast<QWidget*>(control))
            apply_row(widget, row);
        made.insert(row.name, control);
    }
    chain_tab_order(made);

    Controls c;
    bind(c.exit, made, u"exit");
    bind(c.cmb_tstr, made, u"cmb_tstr");
    bind(c.timetot, made, u"timetot");
    bind(c.do_math, made, u"do_math");
    bind(c.typeprob, made, u"typeprob");
    bind(c.begin, made, u"begin");
    bind(c.ans, made, u"ans");
    bind(c.Timer1, made, u"Timer1");
    bind(c.sel, made, u"sel");
    bind(c.tnum, made, u"tnum");
    bind(c.Level, made, u"Level");
    bind(c.div, made, u"div");
    bind(c.mult, made, u"mult");
    bind(c.subt, made, u"subt");
    bind(c.add, made, u"add");
    bind(c.Label1, made, u"Label1");
    bind(c.lvl, made, u"lvl");
    bind(c.options, made, u"options");
    bind(c.nodiv, made, u"nodiv");
    bind(c.sunsad, made, u"sunsad");
    bind(c.sunhap, made, u"sunhap");
    bind(c.anst, made, u"anst");
    bind(c.tt, made, u"tt");
    bind(c.timeleft, made, u"timeleft");
    bind(c.oper, made, u"oper");
    bind(c.incor, made, u"incor");
    bind(c.cor, made, u"cor");
    bind(c.incorrect, made, u"incorrect");
    bind(c.correct, made, u"correct");
    bind(c.botnum, made, u"botnum");
    bind(c.topnum, made, u"topnum");
    bind(c.Line1, made, u"Line1");
    // `typeprob` and `timetot` belong to the window but stand inside the
    // frame's box: they are drawn on top of it.
    c.sel->lower();
    for (QRadioButton* option : { c.add, c.subt, c.mult, c.div })
        tab_stop_when_selected(option);
    // The keyboard button is drawn as the window's default.
    c.do_math->setDefault(true);
    // Every control's outline and state stand out from the ground.
    auto* outlines = new OutlineStyle;
    outlines->setParent(&window);
    for (QWidget* control : window.findChildren<QWidget*>())
        if (qobject_cast<QAbstractButton*>(control) || qobject_cast<QComboBox*>(control))
            control->setStyle(outlines);
    return c;
}

void follow_colour_scheme(QWidget& window)
{
    apply_window_look(window);
    for (const auto& row : control_rows)
        if (auto* widget = window.findChild<QWidget*>(row.name.toString()))
            apply_look(widget, row.kind, row.look);
}

std::string caption(const QLabel* label) { return label->text().toStdString(); }

void set_caption(QLabel* label, const std::string& text)
{
    label->setText(QString::fromStdString(text));
}

std::string text(const QComboBox* combo) { return combo->currentText().toStdString(); }

std::string text(const QLineEdit* box) { return box->text().toStdString(); }

} // namespace skorvex::controls
