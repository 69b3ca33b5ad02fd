#include "app/PageFit.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QVariant>

namespace {
constexpr const char* kDesignedGeometry = "designedGeometry";

// Widgets whose children are placed by the page's own code (not by a layout or by the
// widget itself, like a spin box's editor).
bool placesChildren(const QWidget* w)
{
    if (w->layout() && !qobject_cast<const QStackedWidget*>(w))
        return false;
    return w->metaObject() == &QWidget::staticMetaObject || qobject_cast<const QStackedWidget*>(w) ||
           qobject_cast<const QGroupBox*>(w) || qobject_cast<const QLabel*>(w) || w->isWindow();
}

bool labelFits(const QLabel* label)
{
    if (label->text().isEmpty() || !label->pixmap().isNull())
        return true;
    const QRect room = label->contentsRect();
    if (label->textFormat() != Qt::PlainText && Qt::mightBeRichText(label->text())) {
        const QSize hint = label->sizeHint();
        return hint.width() <= label->width() && hint.height() <= label->height();
    }
    // The text as the label draws it: wrapped at its width when it wraps.
    const QFontMetrics fm = label->fontMetrics();
    const int flags = Qt::AlignLeft | Qt::AlignTop | (label->wordWrap() ? Qt::TextWordWrap : 0);
    const QRect need =
        fm.boundingRect(QRect(0, 0, label->wordWrap() ? room.width() : 1 << 20, 1 << 20), flags, label->text());
    return need.width() <= room.width() && need.height() <= room.height();
}

bool buttonFits(const QAbstractButton* button)
{
    if (button->text().isEmpty())
        return true;
    if (qobject_cast<const QPushButton*>(button)) {
        // The text and a little room on each side; the style's wide minimum does not count.
        const QFontMetrics fm = button->fontMetrics();
        QString text = button->text();
        text.remove('&');
        return fm.horizontalAdvance(text) + 8 <= button->width() && fm.height() + 4 <= button->height();
    }
    const QSize hint = button->sizeHint();
    return hint.width() <= button->width() && hint.height() <= button->height();
}
}  // namespace

bool ShowsWholeText(const QWidget* w)
{
    if (!w->isWindow() && w->parentWidget() && !w->parentWidget()->layout() &&
        !w->parentWidget()->rect().contains(w->geometry()))
        return false;
    if (const auto* label = qobject_cast<const QLabel*>(w))
        return labelFits(label);
    if (const auto* button = qobject_cast<const QAbstractButton*>(w))
        return buttonFits(button);
    if (w->layout() && !qobject_cast<const QStackedWidget*>(w) && !w->isWindow())
        return w->layout()->minimumSize().width() <= w->width() && w->layout()->minimumSize().height() <= w->height();
    return true;
}

std::vector<const QWidget*> CutOffWidgets(const QWidget* root)
{
    std::vector<const QWidget*> cut;
    if (!ShowsWholeText(root))
        cut.push_back(root);
    if (!placesChildren(root))
        return cut;
    for (const QWidget* child : root->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow())
            for (const QWidget* w : CutOffWidgets(child))
                cut.push_back(w);
    return cut;
}

void ScaleLayout(QWidget* root, double factor)
{
    if (!placesChildren(root))
        return;
    if (root->isWindow()) {
        QVariant designed = root->property(kDesignedGeometry);
        if (!designed.isValid()) {
            designed = root->size();
            root->setProperty(kDesignedGeometry, designed);
        }
        root->resize(qRound(designed.toSize().width() * factor), qRound(designed.toSize().height() * factor));
    }
    ScaleChildren(root, factor, factor);
}

void ScaleChildren(QWidget* root, double fx, double fy)
{
    if (!placesChildren(root))
        return;
    const bool stack = qobject_cast<QStackedWidget*>(root) != nullptr;
    for (QWidget* child : root->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow())
            continue;
        if (stack) {
            child->setGeometry(root->contentsRect());
        } else {
            QVariant designed = child->property(kDesignedGeometry);
            if (!designed.isValid()) {
                designed = child->geometry();
                child->setProperty(kDesignedGeometry, designed);
            }
            const QRect r = designed.toRect();
            const int left = qRound(r.left() * fx), top = qRound(r.top() * fy);
            child->setGeometry(left, top, qRound((r.left() + r.width()) * fx) - left,
                               qRound((r.top() + r.height()) * fy) - top);
        }
        ScaleChildren(child, fx, fy);
    }
}

double FitLayout(QWidget* root)
{
    double factor = 1.0;
    for (;;) {
        ScaleLayout(root, factor);
        if (factor >= 3.0 || CutOffWidgets(root).empty())
            return factor;
        factor += 0.05;
    }
}
