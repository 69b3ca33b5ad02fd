#pragma once
// The live-input page's clip light and length limit, beside Record and Stop:
// - RecExtClip, a light (a flat button) lit red while either channel has clipped since the
//   last take began; a click puts it out, with the meters' peak hold;
// - RecExtStopAfter, "Stop after" with RecExtStopAfterTime [hh:mm:ss]: the take stops by
//   itself at that length, to the sample frame.
//
// Main thread only.
#include <QPushButton>
#include <cstdint>

class QCheckBox;
class QTimeEdit;

class ClipLight : public QPushButton {
    Q_OBJECT
public:
    explicit ClipLight(QWidget* parent);
    bool Lit() const { return lit_; }
    void SetLit(bool lit);

private:
    bool lit_ = false;
};

struct LiveTakeControls {
    ClipLight* clip = nullptr;
    QCheckBox* stopAfter = nullptr;
    QTimeEdit* stopAfterTime = nullptr;

    // Places the controls on the page RecExt.
    static LiveTakeControls AddTo(QWidget* page);
    // The take's limit in bytes of the card's format (44100 Hz, 16-bit stereo), or -1 for
    // none (unchecked, or a length of 0).
    std::int64_t LimitBytes() const;
};
