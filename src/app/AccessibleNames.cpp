#include "app/AccessibleNames.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QTextDocument>
#include <limits>

namespace {
QString plainText(const QLabel* label)
{
    QString text = label->text();
    if (Qt::mightBeRichText(text)) {
        QTextDocument doc;
        doc.setHtml(text);
        text = doc.toPlainText();
    }
    text.remove('&');
    return text.simplified();
}

// The label captioning w among its siblings: the nearest one on its left in the same row,
// else the nearest one above that overlaps it horizontally.
const QLabel* captionOf(const QWidget* w)
{
    const QRect r = w->geometry();
    const QLabel* best = nullptr;
    int bestDistance = std::numeric_limits<int>::max();
    for (const QLabel* label : w->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (plainText(label).isEmpty())
            continue;
        const QRect l = label->geometry();
        int distance = std::numeric_limits<int>::max();
        if (l.right() < r.left() && l.center().y() >= r.top() && l.center().y() <= r.bottom())
            distance = r.left() - l.right();
        else if (l.bottom() <= r.top() + 2 && l.left() < r.right() && l.right() > r.left() && r.top() - l.bottom() < 40)
            distance = r.top() - l.bottom() + 1000;  // a caption on the left comes first
        if (distance < bestDistance) {
            bestDistance = distance;
            best = label;
        }
    }
    return best;
}

void nameChildren(QWidget* parent)
{
    for (QWidget* w : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (auto* group = qobject_cast<QGroupBox*>(w)) {
            if (group->accessibleName().isEmpty())
                group->setAccessibleName(group->title());
            nameChildren(group);
            continue;
        }
        if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w))
            continue;
        if (w->accessibleName().isEmpty())
            if (const QLabel* caption = captionOf(w))
                w->setAccessibleName(plainText(caption));
        // The parts a control is made of (a spin box's or combo box's field, a list's
        // viewport) are read out under the control's name.
        if (!w->accessibleName().isEmpty())
            for (QWidget* part : w->findChildren<QWidget*>())
                if (part->accessibleName().isEmpty())
                    part->setAccessibleName(w->accessibleName());
    }
}
}  // namespace

void NameControlsByLabels(QWidget* page)
{
    nameChildren(page);
}
