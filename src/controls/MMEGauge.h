#pragma once
// TMMLEDGauge: a level meter showing 0..100 as a row of LED segments. Segments up to the
// value are lit in the colour of their zone (zone 1 up to Point1 percent of the segments,
// zone 2 up to Point2, zone 3 above), the others show the zone's unlit colour.
//
//   auto* meter = new TMMLEDGauge(page);
//   meter->SetKind(gkVertical);  meter->setGeometry(262, 30, 17, 140);
//   meter->SetBevel({TMMBevelStyle::Lowered, 1});
//   meter->SetProgress(94);      // 64 of 69 segments lit, from the bottom up
//
// The unlit picture is drawn once into a cached image and rebuilt only when a colour, the
// size or the layout changes; an update copies it and draws the lit segments on top.
//
// Threads: main thread only.
#include <QColor>
#include <algorithm>
#include <QImage>
#include <QWidget>
#include <functional>

enum TMMLEDGaugeKind { gkHorizontal, gkVertical };
enum TMMLEDGaugeDirection { dirNormal, dirReversed };
enum class TMMBevelStyle { None, Lowered, Raised };

// The frame around a drawn control; its parts add up to the bevel width.
struct TMMBevel {
    TMMBevelStyle inner = TMMBevelStyle::None;
    int innerWidth = 1;
    TMMBevelStyle outer = TMMBevelStyle::None;
    int outerWidth = 1;
    int borderWidth = 0;
    int borderSpace = 0;
    bool borderLine = false;

    int Width() const;
};

class TMMLEDGauge : public QWidget {
    Q_OBJECT
public:
    // (gauge, image to draw into, rectangle of the inner area, lit segments)
    using TMMLEDDrawBar = std::function<void(TMMLEDGauge* sender, QImage& canvas, const QRect& rect, int nSpots)>;

    explicit TMMLEDGauge(QWidget* parent = nullptr);

    QColor Color() const { return color_; }
    void SetColor(const QColor& c) { setField(color_, c); }
    TMMLEDGaugeKind Kind() const { return kind_; }
    // Swaps width and height when the shape does not fit the new kind.
    void SetKind(TMMLEDGaugeKind kind);
    int SpotSpace() const { return spotSpace_; }
    void SetSpotSpace(int value);   // 0..10
    int SpotWidth() const { return spotWidth_; }
    void SetSpotWidth(int value);   // 1..extent / 3
    QColor Bar1Color() const { return bar_[0]; }
    QColor Bar2Color() const { return bar_[1]; }
    QColor Bar3Color() const { return bar_[2]; }
    void SetBar1Color(const QColor& c) { setField(bar_[0], c); }
    void SetBar2Color(const QColor& c) { setField(bar_[1], c); }
    void SetBar3Color(const QColor& c) { setField(bar_[2], c); }
    QColor Inactive1Color() const { return inactive_[0]; }
    QColor Inactive2Color() const { return inactive_[1]; }
    QColor Inactive3Color() const { return inactive_[2]; }
    void SetInactive1Color(const QColor& c) { setField(inactive_[0], c); }
    void SetInactive2Color(const QColor& c) { setField(inactive_[1], c); }
    void SetInactive3Color(const QColor& c) { setField(inactive_[2], c); }
    bool InactiveDoted() const { return inactiveDoted_; }
    void SetInactiveDoted(bool value) { setField(inactiveDoted_, value); }
    bool ActiveDoted() const { return activeDoted_; }
    void SetActiveDoted(bool value) { setField(activeDoted_, value); }
    int Point1() const { return point1_; }
    void SetPoint1(int value) { setField(point1_, std::clamp(value, 1, 100)); }
    int Point2() const { return point2_; }
    void SetPoint2(int value) { setField(point2_, std::clamp(value, 1, 100)); }
    TMMLEDGaugeDirection Direction() const { return direction_; }
    void SetDirection(TMMLEDGaugeDirection d) { setField(direction_, d); }
    const TMMBevel& Bevel() const { return bevel_; }
    void SetBevel(const TMMBevel& bevel);
    int Progress() const { return progress_; }
    // Clamped to 0..100; an unchanged value draws nothing.
    void SetProgress(int value);
    void SetOnDrawBar(TMMLEDDrawBar handler);
    // The peak hold: one segment lit at the highest value shown since the last reset (0:
    // none), above the bar while the bar is lower.
    int PeakHold() const { return peakHold_; }
    int PeakHoldSpot() const { return std::min(peakHold_ * ensureLayout().spots_ / 100, spots_); }
    void SetPeakHold(int value);

    // Derived layout.
    int SpotCount() const { return ensureLayout().spots_; }
    int LitCount() const { return ensureLayout().lit_; }
    int Margin() const { return ensureLayout().margin_; }
    // The colour zone (1..3) of segment i (from 1).
    int Zone(int i) const
    {
        const TMMLEDGauge& g = ensureLayout();
        return i <= g.t1_ ? 1 : (i <= g.t2_ ? 2 : 3);
    }
    QRect InnerRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    template <class T>
    void setField(T& field, const T& value)
    {
        if (field == value)
            return;
        field = value;
        relayout();
    }
    void relayout();
    // A hidden widget learns of its new size only when shown; the layout follows the size
    // whenever it is needed.
    const TMMLEDGauge& ensureLayout() const;
    void rebuildUnlit();
    void drawOutput();
    void drawSpots(QImage& image, int count, const QColor* colours, bool doted) const;
    QRect spotRect(int i) const;

    QColor color_ = Qt::black;
    TMMLEDGaugeKind kind_ = gkHorizontal;
    int spotSpace_ = 1;
    int spotWidth_ = 1;
    QColor bar_[3] = {QColor(0, 255, 255), QColor(0, 255, 255), QColor(255, 0, 0)};
    QColor inactive_[3] = {QColor(0, 128, 128), QColor(0, 128, 128), QColor(128, 0, 0)};
    bool inactiveDoted_ = false;
    bool activeDoted_ = false;
    int point1_ = 50;
    int point2_ = 85;
    TMMLEDGaugeDirection direction_ = dirNormal;
    TMMBevel bevel_;
    int progress_ = 0;
    int peakHold_ = 0;
    TMMLEDDrawBar onDrawBar_;

    QSize layoutSize_;
    int extent_ = 1;
    int spots_ = 1;
    int margin_ = 0;
    int t1_ = 0;
    int t2_ = 0;
    int lit_ = 0;
    QImage unlit_;
    QImage output_;
};

// Lets screen readers read every LED gauge's value (QAccessibleValueInterface). Once per
// program, before the first gauge is shown; later calls do nothing. Main thread.
void InstallLedGaugeAccessibility();
