#include "Bindings.h"

#include "ui/Palette.h"

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace gui {

namespace {

// A button's back colour as a style; white is the ordinary look. Strong palette colours are
// softened so that the black caption stays readable.
QString buttonStyle(int paletteIndex) {
    if (paletteIndex < 0 || paletteIndex >= 16 || paletteIndex == ui::kWhite)
        return {};
    QColor c = QColor::fromRgb(ui::kPalette[paletteIndex]);
    if (paletteIndex == ui::kShownWhatIfColour)
        c = QColor(255, 150, 255);
    return QStringLiteral("QPushButton { background-color: %1; }").arg(c.name());
}

// Shows or hides a widget once it sits in a window (a parentless widget would become one).
void showAs(QWidget* widget, bool visible) {
    if (widget->parentWidget() && widget->isHidden() == visible)
        widget->setVisible(visible);
}

template <typename Widget, typename Control>
Widget* find(const std::vector<std::pair<Widget*, Control*>>& bound, const void* control) {
    for (const auto& [widget, c] : bound)
        if (c == control)
            return widget;
    return nullptr;
}

} // namespace

QLabel* caption(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setStyleSheet(QStringLiteral("color: #505050;"));
    return l;
}

Bindings::Bindings(QObject* owner, Runner run) : owner_(owner), run_(std::move(run)) {}

QLabel* Bindings::label(const ui::Label& control, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    labels_.emplace_back(l, &control);
    return l;
}

QPushButton* Bindings::button(ui::Button& control, std::function<void()> handler, QWidget* parent) {
    auto* b = new QPushButton(parent);
    QObject::connect(b, &QPushButton::clicked, owner_, [this, handler] { run_(handler); });
    buttons_.emplace_back(b, &control);
    return b;
}

QCheckBox* Bindings::checkBox(ui::CheckBox& control, QWidget* parent) {
    auto* c = new QCheckBox(parent);
    QObject::connect(c, &QCheckBox::toggled, owner_, [this, &control](bool on) {
        if (!refreshing_)
            control.value = on ? 1 : 0;
    });
    checks_.emplace_back(c, &control);
    return c;
}

QComboBox* Bindings::comboBox(ui::ComboBox& control, QWidget* parent) {
    auto* c = new QComboBox(parent);
    c->setEditable(false);
    QObject::connect(c, &QComboBox::currentTextChanged, owner_,
                     [this, &control](const QString& text) {
                         if (!refreshing_)
                             control.text = text;
                     });
    combos_.emplace_back(c, &control);
    return c;
}

QLineEdit* Bindings::textBox(ui::TextBox& control) {
    auto* e = new QLineEdit;
    e->setMaximumWidth(110);
    QObject::connect(e, &QLineEdit::textEdited, owner_,
                     [&control](const QString& text) { control.text = text; });
    edits_.emplace_back(e, &control);
    return e;
}

GridView* Bindings::grid(const ui::Grid& control, int headerRows, double scale) {
    auto* view = new GridView(control, headerRows, nullptr, scale);
    grids_.push_back(view);
    return view;
}

QGroupBox* Bindings::optionGroup(ui::OptionGroup& control, const QString& title, int columns) {
    auto* box = new QGroupBox(title);
    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setSpacing(2);
    std::vector<QRadioButton*> radios;
    for (int i = 0; i < control.captions.size(); ++i) {
        auto* radio = new QRadioButton(control.captions[i], box);
        QObject::connect(radio, &QRadioButton::toggled, owner_, [this, &control, i](bool on) {
            if (on && !refreshing_)
                control.selected = i;
        });
        layout->addWidget(radio, i / columns, i % columns);
        radios.push_back(radio);
    }
    options_.emplace_back(std::move(radios), &control);
    return box;
}

QGroupBox* Bindings::frame(const ui::Frame& control, const QString& title, QLayout* content) {
    auto* box = new QGroupBox(title);
    box->setLayout(content);
    frames_.emplace_back(box, &control);
    return box;
}

void Bindings::refresh() {
    refreshing_ = true;
    for (auto& [widget, control] : labels_) {
        widget->setText(control->caption);
        showAs(widget, control->visible);
    }
    for (auto& [widget, control] : buttons_) {
        widget->setText(control->caption);
        widget->setEnabled(control->enabled);
        showAs(widget, control->visible);
        const QString style = buttonStyle(control->backColor);
        if (widget->styleSheet() != style)
            widget->setStyleSheet(style);
    }
    for (auto& [box, control] : frames_)
        showAs(box, control->visible);
    for (auto& [widget, control] : checks_) {
        widget->setText(control->caption);
        widget->setChecked(control->value != 0);
        showAs(widget, control->visible);
    }
    for (auto& [widget, control] : combos_) {
        QStringList items;
        for (int i = 0; i < widget->count(); ++i)
            items.append(widget->itemText(i));
        if (items != control->items) {
            widget->clear();
            widget->addItems(control->items);
        }
        widget->setCurrentText(control->text);
    }
    for (auto& [widget, control] : edits_)
        if (widget->text() != control->text)
            widget->setText(control->text);
    for (auto& [radios, control] : options_)
        for (size_t i = 0; i < radios.size(); ++i)
            radios[i]->setChecked(control->selected == static_cast<int>(i));
    for (auto* view : grids_)
        view->refresh();
    refreshing_ = false;
}

GridView* Bindings::gridView(const ui::Grid& control) const {
    for (auto* view : grids_)
        if (&view->gridModel()->grid() == &control)
            return view;
    return nullptr;
}

QPushButton* Bindings::buttonFor(const ui::Button& control) const {
    return find(buttons_, &control);
}

QLineEdit* Bindings::editFor(const ui::TextBox& control) const {
    return find(edits_, &control);
}

} // namespace gui
