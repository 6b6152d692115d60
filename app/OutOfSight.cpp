#include "OutOfSight.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace quorrin {

namespace {

const char* const OutOfSightProperty = "quorrinOutOfSight";

// A control out of sight: its role and caption as usual, but neither showing nor focusable,
// and with no action a screen reader could take.
class OutOfSightAccessible final : public QAccessibleWidget {
public:
    explicit OutOfSightAccessible(QWidget* control)
        : QAccessibleWidget(control, qobject_cast<QAbstractButton*>(control) != nullptr
                                         ? QAccessible::Button
                                         : QAccessible::EditableText) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = true;
        state.offscreen = true;
        state.focusable = false;
        return state;
    }

    QString text(QAccessible::Text kind) const override {
        const QString text = QAccessibleWidget::text(kind);
        auto* button = qobject_cast<QAbstractButton*>(widget());
        return kind == QAccessible::Name && text.isEmpty() && button != nullptr ? button->text()
                                                                                : text;
    }
};

// A menu bar whose children are the menus it shows; Qt's own also lists the hidden ones.
class ShownMenusAccessible final : public QAccessibleWidget {
public:
    explicit ShownMenusAccessible(QMenuBar* bar) : QAccessibleWidget(bar, QAccessible::MenuBar) {}

    int childCount() const override { return int(Shown().size()); }

    QAccessibleInterface* child(int index) const override {
        const QList<QAction*> shown = Shown();
        if (index < 0 || index >= shown.size()) {
            return nullptr;
        }
        // A menu's accessible parent is its item in the bar, which Qt makes on first asking.
        QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(shown[index]->menu());
        return menu != nullptr ? menu->parent() : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        return int(Shown().indexOf(qobject_cast<QAction*>(child->object())));
    }

private:
    QList<QAction*> Shown() const {
        QList<QAction*> shown = widget()->actions();
        shown.removeIf([](const QAction* action) {
            return !action->isVisible() || action->menu() == nullptr;
        });
        return shown;
    }
};

QAccessibleInterface* WindowPartsFactory(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget != nullptr && widget->property(OutOfSightProperty).toBool()) {
        return new OutOfSightAccessible(widget);
    }
    if (auto* bar = qobject_cast<QMenuBar*>(object)) {
        return new ShownMenusAccessible(bar);
    }
    return nullptr;
}

} // namespace

void KeepOutOfSight(QWidget& control) {
    static const bool installed = [] {
        QAccessible::installFactory(&WindowPartsFactory);
        return true;
    }();
    Q_UNUSED(installed);
    control.setProperty(OutOfSightProperty, true);
}

} // namespace quorrin
