#include "controls/MMEGauge.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

int TMMBevel::Width() const
{
    return borderWidth + borderSpace + (inner != TMMBevelStyle::None ? innerWidth : 0) +
           (outer != TMMBevelStyle::None ? outerWidth : 0) + (borderLine ? 1 : 0);
}

TMMLEDGauge::TMMLEDGauge(QWidget* parent) : QWidget(parent)
{
    InstallLedGaugeAccessibility();
    resize(200, 17);
    relayout();
}

QRect TMMLEDGauge::InnerRect() const
{
    const int b = bevel_.Width();
    return QRect(b, b, std::max(width() - 2 * b, 1), std::max(height() - 2 * b, 1));
}

void TMMLEDGauge::SetKind(TMMLEDGaugeKind kind)
{
    if (kind == kind_)
        return;
    kind_ = kind;
    const bool misfit = (kind == gkHorizontal && width() < height()) || (kind == gkVertical && width() > height());
    if (misfit)
        resize(height(), width());  // the resize lays the meter out again
    relayout();
}

void TMMLEDGauge::SetSpotSpace(int value)
{
    setField(spotSpace_, std::clamp(value, 0, 10));
}

void TMMLEDGauge::SetSpotWidth(int value)
{
    ensureLayout();
    setField(spotWidth_, std::clamp(value, 1, std::max(extent_ / 3, 1)));
}

void TMMLEDGauge::SetBevel(const TMMBevel& bevel)
{
    bevel_ = bevel;
    relayout();
}

void TMMLEDGauge::SetOnDrawBar(TMMLEDDrawBar handler)
{
    onDrawBar_ = std::move(handler);
    relayout();
}

void TMMLEDGauge::SetProgress(int value)
{
    value = std::clamp(value, 0, 100);
    if (value == progress_)
        return;
    ensureLayout();
    progress_ = value;
    lit_ = std::min(progress_ * spots_ / 100, spots_);
    drawOutput();
    update();
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent changed(this, progress_);
        QAccessible::updateAccessibility(&changed);
    }
}

void TMMLEDGauge::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    relayout();
}

const TMMLEDGauge& TMMLEDGauge::ensureLayout() const
{
    if (size() != layoutSize_)
        const_cast<TMMLEDGauge*>(this)->relayout();
    return *this;
}

void TMMLEDGauge::relayout()
{
    layoutSize_ = size();
    const QRect inner = InnerRect();
    extent_ = std::max(kind_ == gkHorizontal ? inner.width() : inner.height(), 1);
    const int pitch = spotWidth_ + spotSpace_;
    spots_ = std::max((extent_ + spotSpace_) / pitch, 1);
    margin_ = (extent_ + spotSpace_ - spots_ * pitch) / 2;
    t1_ = point1_ * spots_ / 100;
    t2_ = point2_ * spots_ / 100;
    lit_ = std::min(progress_ * spots_ / 100, spots_);
    rebuildUnlit();
    drawOutput();
    update();
}

// Segment i (from 1) inside the inner area.
QRect TMMLEDGauge::spotRect(int i) const
{
    const QRect inner = InnerRect();
    const int pitch = spotWidth_ + spotSpace_;
    const int offset = (i - 1) * pitch;
    const bool fromStart = (kind_ == gkHorizontal) == (direction_ == dirNormal);
    const int along = fromStart ? margin_ + offset : extent_ - margin_ - spotWidth_ - offset;
    if (kind_ == gkHorizontal)
        return QRect(along, 0, spotWidth_, inner.height());
    return QRect(0, along, inner.width(), spotWidth_);
}

void TMMLEDGauge::drawSpots(QImage& image, int count, const QColor* colours, bool doted) const
{
    QPainter p(&image);
    for (int i = 1; i <= count; ++i) {
        const QRect r = spotRect(i);
        const QColor& c = colours[Zone(i) - 1];
        if (!doted) {
            p.fillRect(r, c);
            continue;
        }
        p.setPen(c);
        for (int y = r.top(); y <= r.bottom(); y += 2)
            for (int x = r.left(); x <= r.right(); x += 2)
                p.drawPoint(x, y);
    }
}

void TMMLEDGauge::rebuildUnlit()
{
    if (onDrawBar_)
        return;
    const QRect inner = InnerRect();
    unlit_ = QImage(inner.size(), QImage::Format_RGB32);
    unlit_.fill(color_);
    drawSpots(unlit_, spots_, inactive_, inactiveDoted_);
}

void TMMLEDGauge::drawOutput()
{
    const QRect inner = InnerRect();
    if (onDrawBar_) {
        if (output_.size() != inner.size())
            output_ = QImage(inner.size(), QImage::Format_RGB32);
        output_.fill(color_);
        onDrawBar_(this, output_, QRect(QPoint(0, 0), inner.size()), lit_);
        return;
    }
    output_ = unlit_.copy();
    drawSpots(output_, lit_, bar_, activeDoted_);
    if (const int held = PeakHoldSpot(); held > lit_) {
        QPainter p(&output_);
        p.fillRect(spotRect(held), bar_[Zone(held) - 1]);
    }
}

void TMMLEDGauge::SetPeakHold(int value)
{
    value = std::clamp(value, 0, 100);
    if (value == peakHold_)
        return;
    ensureLayout();
    peakHold_ = value;
    drawOutput();
    update();
}

void TMMLEDGauge::paintEvent(QPaintEvent*)
{
    ensureLayout();
    QPainter p(this);
    const QPalette& pal = palette();
    QRect r = rect();
    const auto frame = [&](TMMBevelStyle style, int w) {
        if (style == TMMBevelStyle::None)
            return;
        const QColor topLeft = style == TMMBevelStyle::Lowered ? pal.color(QPalette::Dark) : pal.color(QPalette::Light);
        const QColor bottomRight = style == TMMBevelStyle::Lowered ? pal.color(QPalette::Light) : pal.color(QPalette::Dark);
        for (int k = 0; k < w; ++k) {
            p.setPen(topLeft);
            p.drawLine(r.topLeft(), r.topRight());
            p.drawLine(r.topLeft(), r.bottomLeft());
            p.setPen(bottomRight);
            p.drawLine(r.bottomLeft(), r.bottomRight());
            p.drawLine(r.topRight(), r.bottomRight());
            r.adjust(1, 1, -1, -1);
        }
    };
    frame(bevel_.outer, bevel_.outerWidth);
    r.adjust(bevel_.borderWidth, bevel_.borderWidth, -bevel_.borderWidth, -bevel_.borderWidth);
    if (bevel_.borderLine) {
        p.setPen(pal.color(QPalette::WindowText));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        r.adjust(1, 1, -1, -1);
    }
    r.adjust(bevel_.borderSpace, bevel_.borderSpace, -bevel_.borderSpace, -bevel_.borderSpace);
    frame(bevel_.inner, bevel_.innerWidth);
    p.drawImage(InnerRect().topLeft(), output_);
}

namespace {
// A screen reader reads the meter as a level indicator with its value 0..100.
class LedGaugeAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit LedGaugeAccessible(TMMLEDGauge* gauge) : QAccessibleWidget(gauge, QAccessible::ProgressBar) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return QString::number(gauge()->Progress());
        return QAccessibleWidget::text(t);
    }
    QVariant currentValue() const override { return gauge()->Progress(); }
    void setCurrentValue(const QVariant&) override {}  // a meter shows, it is not set
    QVariant maximumValue() const override { return 100; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    TMMLEDGauge* gauge() const { return static_cast<TMMLEDGauge*>(widget()); }
};

QAccessibleInterface* ledGaugeAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("TMMLEDGauge") && object && object->isWidgetType())
        return new LedGaugeAccessible(static_cast<TMMLEDGauge*>(object));
    return nullptr;
}
}  // namespace

void InstallLedGaugeAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(ledGaugeAccessible);
        return true;
    }();
    (void)installed;
}
