// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/web/page_mirror.h"

#include "app/accessibility.h"
#include "app/main_window.h"
#include "platform/web/page_names.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFont>
#include <QFontDatabase>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <emscripten/bind.h>
#include <emscripten/val.h>
#include <string>
#include <utility>

namespace skorvex::platform {

using app::accessible_name;

using emscripten::val;
using namespace Qt::StringLiterals;

namespace {
    PageMirror* mirror = nullptr;

    val document() { return val::global("document"); }

    val make(const char* tag) { return document().call<val>("createElement", std::string(tag)); }

    std::string text(const QString& words) { return words.toStdString(); }

    void set(val& element, const char* name, const std::string& value)
    {
        element.call<void>("setAttribute", std::string(name), value);
    }

    // Qt keeps its windows in a shadow root of the page's screen element, each
    // under the id "qt-window-N", N its window id.
    val shadow_host()
    {
        return document().call<val>("getElementById", std::string("qt-shadow-container"));
    }

    val window_element(QWidget& window)
    {
        const val host = shadow_host();
        if (host.isNull() || host["shadowRoot"].isNull())
            return val::null();
        return host["shadowRoot"].call<val>(
            "getElementById", "qt-window-" + std::to_string(window.winId()));
    }

    // Whether the page's focus is on the drill: on Qt's canvas or one of the
    // elements here, all inside Qt's shadow root.
    bool page_focus_in_drill()
    {
        const val host = shadow_host();
        return !host.isNull() && document()["activeElement"] == host;
    }

    // Seen by screen readers, not by the eye; touches reach Qt's canvas.
    void unseen(val& element)
    {
        val style = element["style"];
        style.set("margin", std::string("0"));
        style.set("padding", std::string("0"));
        style.set("border", std::string("0"));
        style.set("opacity", std::string("0"));
        style.set("pointerEvents", std::string("none"));
        style.set("overflow", std::string("hidden"));
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
        unseen(element);
    }

    // An attribute set only where it changed, as a screen reader hears each
    // change; `kept` is what the element has now.
    void attribute(val& element, const char* name, const std::string& value, std::string& kept)
    {
        if (value == kept)
            return;
        set(element, name, value);
        kept = value;
    }

    std::string truth(bool yes) { return yes ? "true" : "false"; }

    // A field's text put in. A text replaced whole is emptied now, and the
    // new text put in selected, once the browser has told the empty one: a
    // browser tells its accessibility changes once a frame, and one that
    // still holds the old text tells the difference between the two ("T",
    // "bles-ez" for "Random" to "Tables-ez"). The new text waits for the
    // second frame; whatever is put in meanwhile is the one kept.
    void put(const val& field, const std::string& words, bool whole)
    {
        static const val later
            = val::global("Function")
                  .new_(std::string("field"), std::string("words"), std::string("whole"),
                      std::string("const turn = (field.skorvexTurn || 0) + 1;"
                                  " field.skorvexTurn = turn;"
                                  " if (!whole) { field.value = words; return; }"
                                  " field.value = '';"
                                  " requestAnimationFrame(() =>"
                                  " requestAnimationFrame(() => {"
                                  " if (field.skorvexTurn !== turn) return;"
                                  " field.value = words;"
                                  " if (field.matches(':focus')) field.select();"
                                  " }));"));
        later(field, words, whole);
    }

    void clicked(int index);
    void typed(std::string words);
    void drill_focused();
    void follow();
    void page_focused();
}

// An element of the page, for one control, and what it was last given.
struct PageMirror::Node {
    enum class Kind { control, text, picture };
    QWidget* widget;
    Kind kind;
    // The element a reader meets: for a combo box, its text field.
    val element;
    val list = val::null(); // a combo box's list, while it is open
    std::vector<val> options {};
    std::string name {};
    std::string value {};
    std::string disabled {};
    std::string checked {};
    std::string hidden {};
    std::string expanded {};
    int chosen = -1; // a combo box's item on show
    std::string current {};
    std::string tab_stop {};
};

namespace {
    // Tells the page that the program has ended, so that it says so.
    void tell_page_ended()
    {
        val event = val::global("CustomEvent").new_(std::string(page_names::ended_event));
        document().call<bool>("dispatchEvent", event);
    }
}

PageMirror::PageMirror(app::MainWindow& window)
    : window_(window)
    , c_(window.controls())
{
    // A page cannot close its tab: it says that the drill has ended, and the
    // window's elements leave the page.
    connect(&window, &app::MainWindow::ended, this, [this] {
        end();
        tell_page_ended();
    });
    mirror = this;
    build();
    window_.installEventFilter(this);
    // Once the key, click or tick that moved Qt's focus has been handled, so
    // that the element has its new name when it takes the page's focus
    // ("Begin!" names the answer box anew after the focus is there).
    connect(qApp, &QApplication::focusChanged, this, [this] {
        focus_moved_ = true;
        if (std::exchange(follow_due_, true))
            return;
        val::global("queueMicrotask")(val::module_property("skorvexFollow"));
    });
    refresh();
}

PageMirror::~PageMirror()
{
    if (mirror == this)
        mirror = nullptr;
}

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

    const auto element_for = [&](QWidget* widget, const char* tag, val& parent) {
        val element = make(tag);
        set(element, "data-control", text(widget->objectName()));
        place(element, window_, widget);
        parent.call<void>("appendChild", element);
        return element;
    };
    // A control that takes the focus: a screen reader's click clicks it.
    const auto control = [&](QWidget* widget, const char* tag, const char* role, val& parent) {
        val element = element_for(widget, tag, parent);
        if (role != nullptr)
            set(element, "role", role);
        set(element, "tabindex", "-1");
        element.call<void>(
            "addEventListener", std::string("focus"), val::module_property("skorvexDrillFocused"));
        element.call<void>("addEventListener", std::string("click"),
            val::module_property("skorvexClicked")
                .call<val>("bind", val::null(), static_cast<int>(nodes_.size())));
        nodes_.push_back(Node { widget, Node::Kind::control, element });
        return element;
    };
    // What a touch screen's keyboard enters goes on to Qt, and the field is
    // emptied for the next: the field shows what Qt's control holds.
    const val on_input = val::global("Function")
                             .new_(std::string("typed"), std::string("event"),
                                 std::string("typed(event.target.value); event.target.value = '';"))
                             .call<val>("bind", val::null(), val::module_property("skorvexTyped"));
    const auto typed_into = [&on_input](val& field) {
        field.set("type", std::string("text"));
        field.set("autocomplete", std::string("off"));
        field.call<void>("addEventListener", std::string("input"), on_input);
    };
    const auto label = [&](QLabel* widget, val& parent) {
        val element = element_for(widget, "div", parent);
        nodes_.push_back(Node { widget, Node::Kind::text, element });
    };
    const auto picture = [&](QWidget* widget, val& parent) {
        val element = element_for(widget, "div", parent);
        set(element, "role", "img");
        nodes_.push_back(Node { widget, Node::Kind::picture, element });
    };
    // An editable combo box: a text field with the role of a combo box, and
    // its list beside it.
    const auto combo = [&](QComboBox* widget, val& parent) {
        const std::string list_id = "skorvex-list-" + text(widget->objectName());
        val field = control(widget, "input", "combobox", parent);
        typed_into(field);
        set(field, "aria-autocomplete", "none");
        set(field, "aria-haspopup", "listbox");
        set(field, "aria-controls", list_id);
        val list = make("div");
        set(list, "role", "listbox");
        set(list, "id", list_id);
        list.set("hidden", true);
        place(list, window_, widget);
        parent.call<void>("appendChild", list);
        nodes_.back().list = list;
        // The list's own window opens and closes without the window's repaint.
        widget->view()->window()->installEventFilter(this);
        connect(widget->view()->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { schedule_refresh(); });
    };

    // The frame and all that is drawn inside it, the two settings that stand
    // in it included.
    // The frame's element has no box of its own: what is in it is placed in
    // the window, as everything else.
    val frame = make("div");
    set(frame, "data-control", "sel");
    layer.call<void>("appendChild", frame);
    set(frame, "role", "group");
    set(frame, "aria-label", text(c_.sel->title()));
    for (QRadioButton* option : { c_.add, c_.subt, c_.mult, c_.div })
        control(option, "div", "radio", frame);
    label(c_.options, frame);
    combo(c_.typeprob, frame);
    label(c_.Label1, frame);
    combo(c_.tnum, frame);
    combo(c_.timetot, frame);
    label(c_.lvl, frame);
    combo(c_.Level, frame);
    // The problem as it is written, the answer, then the row beneath.
    label(c_.nodiv, layer);
    picture(c_.sunhap, layer);
    picture(c_.sunsad, layer);
    label(c_.topnum, layer);
    label(c_.oper, layer);
    label(c_.botnum, layer);
    val answer = control(c_.ans, "input", nullptr, layer);
    typed_into(answer);
    answer.set("inputMode", std::string("numeric"));
    control(c_.do_math, "div", "button", layer);
    control(c_.begin, "div", "button", layer);
    control(c_.exit, "div", "button", layer);
    label(c_.correct, layer);
    label(c_.cor, layer);
    label(c_.incorrect, layer);
    label(c_.incor, layer);
    label(c_.timeleft, layer);

    // A caption that is a control's buddy labels its element, as it labels
    // the control on the desktop: a screen reader that looks for the text
    // beside a control then finds the whole caption.
    for (Node& node : nodes_) {
        const auto* caption = qobject_cast<QLabel*>(node.widget);
        if (node.kind != Node::Kind::text || caption == nullptr || caption->buddy() == nullptr)
            continue;
        const std::string id = "skorvex-label-" + text(caption->objectName());
        set(node.element, "id", id);
        for (Node& labelled : nodes_)
            if (labelled.widget == caption->buddy())
                set(labelled.element, "aria-labelledby", id);
    }

    // Qt's own switch for its accessibility in a page would make a second,
    // lesser set of elements: the learner is not offered it.
    const val switches = contents.call<val>("querySelectorAll", std::string("button"));
    for (int i = 0; i < switches["length"].as<int>(); ++i)
        switches[i].set("hidden", true);

    // Qt gives its canvas the page's focus when the window is activated or
    // touched. Qt makes it editable, for the clipboard's sake: a screen
    // reader then takes its focus for a move of the caret there, and goes on
    // from the window's first element, wherever the focus is. It stays
    // focusable, and what is pasted goes to the element with the focus.
    val canvas = contents.call<val>("querySelector", std::string("canvas"));
    if (!canvas.isNull()) {
        canvas.set("contentEditable", std::string("false"));
        set(canvas, "tabindex", "-1");
        canvas.call<void>(
            "addEventListener", std::string("focus"), val::module_property("skorvexDrillFocused"));
    }
    // The browser gives the page the focus after the page has given it to an
    // element: the element is given it again, so that its focus is told.
    val::global("window").call<void>(
        "addEventListener", std::string("focus"), val::module_property("skorvexPageFocused"));
    // A paste into a field of the page goes to Qt's control as typing does,
    // in place of what the learner selected there. Left to the browser, it
    // went into the field after the text the field shows, and all of that
    // on to Qt: Select All and a paste added the text to the end.
    static const val pasted
        = val::global("Function")
              .new_(std::string("typed"), std::string("event"),
                  std::string("const field = event.composedPath()[0];"
                              " if (!(field instanceof HTMLInputElement)"
                              " || !field.dataset.control) return;"
                              " event.preventDefault();"
                              " event.stopImmediatePropagation();"
                              " typed(event.clipboardData.getData('text/plain'));"))
              .call<val>("bind", val::null(), val::module_property("skorvexTyped"));
    val::global("window").call<void>("addEventListener", std::string("paste"), pasted, true);
}

bool PageMirror::eventFilter(QObject* watched, QEvent* event)
{
    // Whatever a handler changed, the window is drawn anew: the page follows.
    if (watched == &window_ && event->type() == QEvent::UpdateRequest)
        schedule_refresh();
    else if (watched != &window_
        && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        schedule_refresh();
    return QObject::eventFilter(watched, event);
}

void PageMirror::schedule_refresh()
{
    if (refresh_due_ || ended_)
        return;
    refresh_due_ = true;
    QTimer::singleShot(0, this, [this] { refresh(); });
}

void PageMirror::refresh()
{
    refresh_due_ = false;
    follow_due_ = false;
    if (ended_)
        return;
    const QWidget* focus = QApplication::focusWidget();
    for (Node& node : nodes_) {
        QWidget* widget = node.widget;
        const std::string hidden = truth(!widget->isVisibleTo(&window_));
        if (hidden != node.hidden) {
            node.element.set("hidden", hidden == "true");
            node.hidden = hidden;
        }
        if (node.kind == Node::Kind::text) {
            const std::string words = text(static_cast<QLabel*>(widget)->text());
            if (words != node.value) {
                node.element.set("textContent", words);
                node.value = words;
            }
            continue;
        }
        attribute(node.element, "aria-label", text(accessible_name(widget)), node.name);
        if (node.kind == Node::Kind::picture)
            continue;
        attribute(node.element, "aria-disabled", truth(!widget->isEnabled()), node.disabled);
        const bool focused = widget == focus || widget->isAncestorOf(focus);
        attribute(node.element, "tabindex", focused ? "0" : "-1", node.tab_stop);
        if (const auto* option = qobject_cast<QRadioButton*>(widget))
            attribute(node.element, "aria-checked", truth(option->isChecked()), node.checked);
        std::string value;
        const auto* combo = qobject_cast<QComboBox*>(widget);
        if (combo != nullptr)
            value = text(combo->currentText());
        else if (const auto* box = qobject_cast<QLineEdit*>(widget))
            value = text(box->text());
        if (value != node.value) {
            // An item chosen by the arrow keys replaces the text whole and
            // selected, as in Qt's edit field; a screen reader reads such a
            // text as new, where it takes a change in place for typing's echo.
            put(node.element, value, combo != nullptr && combo->currentIndex() != node.chosen);
            node.value = value;
        }
        if (combo != nullptr) {
            node.chosen = combo->currentIndex();
            refresh_list(node);
        }
    }
    follow_focus(std::exchange(focus_moved_, false));
}

// A combo box's list while it is open: its choices as options, the one the
// learner is on marked as current.
void PageMirror::refresh_list(Node& node)
{
    auto* combo = static_cast<QComboBox*>(node.widget);
    const bool open = combo->view()->isVisible();
    attribute(node.element, "aria-expanded", truth(open), node.expanded);
    if (node.options.empty() && combo->count() > 0) {
        set(node.list, "aria-label", node.name);
        for (int i = 0; i < combo->count(); ++i) {
            val option = make("div");
            set(option, "role", "option");
            set(option, "id", text(u"skorvex-option-%1-%2"_s.arg(combo->objectName()).arg(i)));
            option.set("textContent", text(combo->itemText(i)));
            node.list.call<void>("appendChild", option);
            node.options.push_back(option);
        }
    }
    node.list.set("hidden", !open);
    const int row = open ? combo->view()->currentIndex().row() : -1;
    const std::string current = row >= 0 && row < static_cast<int>(node.options.size())
        ? node.options[row]["id"].as<std::string>()
        : std::string();
    if (current == node.current)
        return;
    for (std::size_t i = 0; i < node.options.size(); ++i)
        set(node.options[i], "aria-selected", truth(static_cast<int>(i) == row));
    if (current.empty())
        node.element.call<void>("removeAttribute", std::string("aria-activedescendant"));
    else
        set(node.element, "aria-activedescendant", current);
    node.current = current;
}

QWidget* PageMirror::widget_at(int index) const
{
    return !ended_ && index >= 0 && index < static_cast<int>(nodes_.size()) ? nodes_[index].widget
                                                                            : nullptr;
}

void PageMirror::activate()
{
    if (!ended_ && !window_.isActiveWindow())
        window_.activateWindow();
}

void PageMirror::end()
{
    if (ended_)
        return;
    ended_ = true;
    window_.removeEventFilter(this);
    disconnect(qApp, nullptr, this, nullptr);
    const val contents = window_element(window_);
    const val layer = contents.isNull()
        ? val::null()
        : contents.call<val>("querySelector", std::string(".skorvex-controls"));
    if (!layer.isNull())
        layer.call<void>("remove");
    nodes_.clear();
}

void PageMirror::follow_focus(bool qt_focus_moved)
{
    if (!qt_focus_moved && !page_focus_in_drill())
        return;
    const QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr)
        return;
    for (const Node& node : nodes_)
        if (node.kind == Node::Kind::control
            && (node.widget == focus || node.widget->isAncestorOf(focus))) {
            if (!node.element.call<bool>("matches", std::string(":focus"))) {
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

    // What a touch screen's keyboard typed into a text field's element, which
    // comes as text and not as keys.
    void typed(std::string words)
    {
        QWidget* focus = QApplication::focusWidget();
        if (mirror == nullptr || focus == nullptr || words.empty())
            return;
        const QString typed_text = QString::fromStdString(words);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, typed_text);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, typed_text);
        QApplication::sendEvent(focus, &press);
        QApplication::sendEvent(focus, &release);
    }

    // The page's focus came into the drill, onto Qt's canvas (a click, a
    // touch) or an element (Tab from the page's text): Qt's window is active
    // again, so that the keys reach its focus, and the page's focus goes on
    // to the element of Qt's focus.
    void drill_focused()
    {
        if (mirror == nullptr)
            return;
        mirror->activate();
        mirror->refresh();
    }

    void follow()
    {
        if (mirror != nullptr)
            mirror->refresh();
    }

    // The page was given the focus (a window brought to the front, a browser
    // that gives it late at load): the element with it is focused again, so
    // that a screen reader hears where the focus is.
    void page_focused()
    {
        if (mirror == nullptr || !page_focus_in_drill())
            return;
        val shadow = shadow_host()["shadowRoot"];
        val active = shadow["activeElement"];
        if (active.isNull() || active.isUndefined())
            return;
        active.call<void>("blur");
        val options = val::object();
        options.set("preventScroll", true);
        active.call<void>("focus", options);
    }
}

EMSCRIPTEN_BINDINGS(skorvex_page)
{
    emscripten::function("skorvexClicked", &clicked);
    emscripten::function("skorvexTyped", &typed);
    emscripten::function("skorvexDrillFocused", &drill_focused);
    emscripten::function("skorvexPageFocused", &page_focused);
    emscripten::function("skorvexFollow", &follow);
}

} // namespace skorvex::platform
