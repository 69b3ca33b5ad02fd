#include "app/AccessibleControls.h"

#include "app/AccessibleListRows.h"

#include <QCoreApplication>
#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QSlider>
#include <QToolButton>
#include <algorithm>
#include <utility>

namespace {
constexpr int kKbps[] = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};

// The label whose buddy the widget is, if any.
QString buddyText(const QWidget* w)
{
    if (!w->parentWidget())
        return {};
    for (const QLabel* label : w->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        if (label->buddy() == w)
            return label->text().remove('&').remove(':').trimmed();
    return {};
}

class NamedComboBox : public QAccessibleWidget {
public:
    explicit NamedComboBox(QWidget* w) : QAccessibleWidget(w, QAccessible::ComboBox) { addControllingSignal("activated(int)"); }
    QComboBox* combo() const { return static_cast<QComboBox*>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name) {
            QString name = combo()->accessibleName();
            if (name.isEmpty())
                name = buddyText(combo());
            return name.endsWith(':') ? name.chopped(1) : name;
        }
        if (t == QAccessible::Value)
            return combo()->currentText();
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return combo()->isEditable() ? 2 : 1; }
    QAccessibleInterface* child(int index) const override
    {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(combo()->view());
        if (index == 1 && combo()->isEditable())
            return QAccessible::queryAccessibleInterface(combo()->lineEdit());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (child && child->object() == combo()->view())
            return 0;
        if (child && combo()->isEditable() && child->object() == combo()->lineEdit())
            return 1;
        return -1;
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = combo()->view()->isVisible();
        s.editable = combo()->isEditable();
        return s;
    }
    QStringList actionNames() const override { return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames(); }
    void doAction(const QString& name) override
    {
        if (name == showMenuAction() || name == pressAction())
            combo()->view()->isVisible() ? combo()->hidePopup() : combo()->showPopup();
        else
            QAccessibleWidget::doAction(name);
    }
};

// The value a screen reader reads and sets is the bit rate.
class BitrateSlider : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit BitrateSlider(QWidget* w) : QAccessibleWidget(w, QAccessible::Slider) {}
    QSlider* slider() const { return static_cast<QSlider*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this)
                                                : QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return QCoreApplication::translate("AccessibleControls", "%1 kbit/s").arg(currentValue().toInt());
        return QAccessibleWidget::text(t);
    }
    QVariant currentValue() const override { return kKbps[std::clamp(slider()->value(), 1, 14) - 1]; }
    void setCurrentValue(const QVariant& value) override
    {
        int position = 1;
        for (int i = 0; i < 14; ++i)
            if (kKbps[i] <= value.toInt())
                position = i + 1;
        slider()->setValue(position);
    }
    QVariant maximumValue() const override { return kKbps[13]; }
    QVariant minimumValue() const override { return kKbps[0]; }
    QVariant minimumStepSize() const override { return 8; }
};

class SourceTile : public QAccessibleWidget {
public:
    explicit SourceTile(QWidget* w) : QAccessibleWidget(w, QAccessible::RadioButton) {}
    QToolButton* button() const { return static_cast<QToolButton*>(widget()); }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && button()->accessibleName().isEmpty())
            return button()->text();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = button()->isChecked();
        return s;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override
    {
        if (name == pressAction())
            button()->click();
    }
};

QAccessibleInterface* factory(const QString&, QObject* object)
{
    auto* w = qobject_cast<QWidget*>(object);
    if (!w)
        return nullptr;
    if (qobject_cast<QComboBox*>(w))
        return new NamedComboBox(w);
    if (qobject_cast<QSlider*>(w) && w->property("bitrateSlider").toBool())
        return new BitrateSlider(w);
    if (qobject_cast<QToolButton*>(w) && w->property("sourceTile").toBool())
        return new SourceTile(w);
    if (auto* list = qobject_cast<QListView*>(w))
        return NewAccessibleList(list);
    return nullptr;
}
}  // namespace

void InstallAccessibleControls()
{
    static bool installed = false;
    if (std::exchange(installed, true))
        return;
    QAccessible::installFactory(factory);
}
