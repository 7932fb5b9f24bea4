// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/web_page.h"

#include "app/accessibility.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <emscripten/bind.h>
#include <emscripten/val.h>
#include <string>

namespace skorvex::app {

using emscripten::val;

namespace {
    PageMirror* mirror = nullptr;

    val document() { return val::global("document"); }

    val make(const char* tag) { return document().call<val>("createElement", std::string(tag)); }

    std::string text(const QString& words) { return words.toStdString(); }

    // Qt keeps its windows in a shadow root of the page's screen element, each
    // under the id "qt-window-N", N its window id.
    val window_element(QWidget& window)
    {
        const val host = document().call<val>("getElementById", std::string("qt-shadow-container"));
        if (host.isNull() || host["shadowRoot"].isNull())
            return val::null();
        return host["shadowRoot"].call<val>(
            "getElementById", "qt-window-" + std::to_string(window.winId()));
    }

    void place(val& element, QWidget& window, QWidget* widget)
    {
        const QRect box(widget->mapTo(&window, QPoint(0, 0)), widget->size());
        val style = element["style"];
        style.set("position", std::string("absolute"));
        style.set("left", std::to_string(box.x()) + "px");
        style.set("top", std::to_string(box.y()) + "px");
        style.set("width", std::to_string(box.width()) + "px");
        style.set("height", std::to_string(box.height()) + "px");
        style.set("margin", std::string("0"));
        style.set("padding", std::string("0"));
        style.set("border", std::string("0"));
        // Seen by screen readers, not by the eye; touches reach Qt's canvas.
        style.set("opacity", std::string("0"));
        style.set("pointerEvents", std::string("none"));
    }

    // An attribute set only where it changed, as a screen reader hears each
    // change; `kept` is what the element has now.
    void attribute(val& element, const char* name, const std::string& value, std::string& kept)
    {
        if (value == kept)
            return;
        element.call<void>("setAttribute", std::string(name), value);
        kept = value;
    }

    std::string truth(bool yes) { return yes ? "true" : "false"; }

    void clicked(int index);
    void typed(std::string words);
    void canvas_focused();
}

// A control's element, and what it was last given.
struct PageMirror::Node {
    QWidget* widget;
    val element;
    std::string role;
    std::string name {};
    std::string value {};
    std::string disabled {};
    std::string checked {};
};

void prepare_page()
{
    // Qt's own text input on a page takes the page's focus for every widget
    // that takes the focus, away from the elements that name them.
    qputenv("QT_IM_MODULE", "none");
}

void add_page_fonts()
{
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/LiberationSans-Regular.ttf"));
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/LiberationSans-Bold.ttf"));
}

void tell_page_ended()
{
    val event = val::global("CustomEvent").new_(std::string("skorvex-ended"));
    document().call<bool>("dispatchEvent", event);
}

PageMirror::PageMirror(QWidget& window, controls::Controls& c)
    : window_(window)
    , c_(c)
{
    mirror = this;
    build();
    window_.installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this] { refresh(); });
    refresh();
}

PageMirror::~PageMirror() { mirror = nullptr; }

void PageMirror::build()
{
    const val contents = window_element(window_);
    if (contents.isNull())
        return;
    val layer = make("div");
    layer.set("className", std::string("skorvex-controls"));
    layer["style"].set("position", std::string("absolute"));
    layer["style"].set("inset", std::string("0"));
    layer["style"].set("pointerEvents", std::string("none"));
    contents.call<val>("querySelector", std::string(".qt-window-contents"))
        .call<void>("appendChild", layer);

    // In the tab order, as a screen reader's reading goes.
    val group = make("div");
    group.call<void>("setAttribute", std::string("role"), std::string("radiogroup"));
    group.call<void>("setAttribute", std::string("aria-label"), text(c_.sel->title()));

    const auto add = [&](QWidget* widget, const char* tag, const char* role, val& parent) {
        val element = make(tag);
        if (role != nullptr)
            element.call<void>("setAttribute", std::string("role"), std::string(role));
        element.call<void>("setAttribute", std::string("tabindex"), std::string("-1"));
        place(element, window_, widget);
        element.call<void>("addEventListener", std::string("click"),
            val::module_property("skorvexClicked")
                .call<val>("bind", val::null(), static_cast<int>(nodes_.size())));
        parent.call<void>("appendChild", element);
        nodes_.push_back(Node { widget, element, role != nullptr ? role : "textbox" });
        return element;
    };
    add(c_.begin, "div", "button", layer);
    val answer = add(c_.ans, "input", nullptr, layer);
    answer.set("type", std::string("text"));
    answer.set("inputMode", std::string("numeric"));
    answer.set("autocomplete", std::string("off"));
    answer.call<void>("addEventListener", std::string("input"),
        val::global("Function")
            .new_(std::string("event"),
                std::string("Module.skorvexTyped(event.target.value); event.target.value = '';")));
    add(c_.do_math, "div", "button", layer);
    layer.call<void>("appendChild", group);
    for (QRadioButton* option : { c_.add, c_.subt, c_.mult, c_.div })
        add(option, "div", "radio", group);
    for (QComboBox* setting : { c_.typeprob, c_.timetot, c_.Level, c_.tnum }) {
        val element = add(setting, "div", "combobox", layer);
        element.call<void>("setAttribute", std::string("aria-expanded"), std::string("false"));
    }
    add(c_.exit, "div", "button", layer);

    // Qt's own switch for its accessibility in a page would make a second,
    // lesser set of elements: the learner is not offered it.
    const val switches = contents.call<val>("querySelectorAll", std::string("button"));
    for (int i = 0; i < switches["length"].as<int>(); ++i)
        switches[i].set("hidden", true);

    // Qt gives its canvas the page's focus when the window is activated or
    // touched: the focus goes on to the element of Qt's focus.
    const val canvas = contents.call<val>("querySelector", std::string("canvas"));
    if (!canvas.isNull())
        canvas.call<void>(
            "addEventListener", std::string("focus"), val::module_property("skorvexCanvasFocused"));
}

bool PageMirror::eventFilter(QObject* watched, QEvent* event)
{
    // Whatever a handler changed, the window is drawn anew: the page follows.
    if (watched == &window_ && event->type() == QEvent::UpdateRequest && !refresh_due_) {
        refresh_due_ = true;
        QTimer::singleShot(0, this, [this] { refresh(); });
    }
    return QObject::eventFilter(watched, event);
}

void PageMirror::refresh()
{
    refresh_due_ = false;
    for (Node& node : nodes_) {
        QWidget* widget = node.widget;
        attribute(node.element, "aria-label", text(accessible_name(widget)), node.name);
        attribute(node.element, "aria-disabled", truth(!widget->isEnabled()), node.disabled);
        if (const auto* option = qobject_cast<QRadioButton*>(widget))
            attribute(node.element, "aria-checked", truth(option->isChecked()), node.checked);
        std::string value;
        if (const auto* combo = qobject_cast<QComboBox*>(widget))
            value = text(combo->currentText());
        else if (const auto* box = qobject_cast<QLineEdit*>(widget))
            value = text(box->text());
        if (value != node.value) {
            node.element.set(node.role == "textbox" ? "value" : "textContent", value);
            node.value = value;
        }
    }
    follow_focus();
}

QWidget* PageMirror::widget_at(int index) const
{
    return index >= 0 && index < static_cast<int>(nodes_.size()) ? nodes_[index].widget : nullptr;
}

void PageMirror::follow_focus()
{
    const QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr)
        return;
    for (const Node& node : nodes_)
        if (node.widget == focus || node.widget->isAncestorOf(focus)) {
            if (document()["activeElement"] != node.element
                && !node.element.call<bool>("matches", std::string(":focus"))) {
                val options = val::object();
                options.set("preventScroll", true);
                node.element.call<void>("focus", options);
            }
            return;
        }
}

namespace {
    // A screen reader's "click" on an element clicks its control.
    void clicked(int index)
    {
        if (mirror == nullptr)
            return;
        QWidget* widget = mirror->widget_at(index);
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            button->click();
        else if (widget != nullptr)
            widget->setFocus(Qt::OtherFocusReason);
    }

    // What a touch screen's keyboard typed into the answer box's element, which
    // comes as text and not as keys.
    void typed(std::string words)
    {
        QWidget* focus = QApplication::focusWidget();
        if (focus == nullptr || words.empty())
            return;
        const QString typed_text = QString::fromStdString(words);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, typed_text);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, typed_text);
        QApplication::sendEvent(focus, &press);
        QApplication::sendEvent(focus, &release);
    }

    void canvas_focused()
    {
        if (mirror != nullptr)
            mirror->refresh();
    }
}

EMSCRIPTEN_BINDINGS(skorvex_page)
{
    emscripten::function("skorvexClicked", &clicked);
    emscripten::function("skorvexTyped", &typed);
    emscripten::function("skorvexCanvasFocused", &canvas_focused);
}

} // namespace skorvex::app
