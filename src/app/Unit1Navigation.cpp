// Walking the pages: the source choice, Next, Back, Cancel and the enter actions that run
// when the input focus moves into a page.
#include "app/Unit1.h"

#include "platform/os/Dialogs.h"
#include "platform/os/ErrorReport.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QRegularExpression>
#include <QUrl>
#include <algorithm>
#include <fstream>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>

namespace {
// How long typing pauses before a typed path is checked.
constexpr int kTypingPauseMs = 400;

// The caption colour of an enabled source button; a disabled one keeps the style's
// disabled colour, whatever was chosen before.
void SetCaptionColour(QToolButton* button, const QColor& colour)
{
    QPalette p = button->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        p.setColor(group, QPalette::ButtonText, colour);
    button->setPalette(p);
}

QPushButton* enabledButton(QWidget* page, const QString& suffix)
{
    auto* button = page->findChild<QPushButton*>(page->objectName() + suffix);
    return button && button->isVisible() && button->isEnabled() ? button : nullptr;
}
}  // namespace

QWidget* TForm1::CurrentPage() const
{
    return pages_->currentWidget();
}

void TForm1::ResetButtons()
{
    state_.sourceChosen = true;
    for (QToolButton* b : sourceButtons)
        SetCaptionColour(b, Qt::black);
}

void TForm1::SourceButtonClick(QToolButton* button, const char* kind)
{
    ResetButtons();
    button->setChecked(true);
    SetCaptionColour(button, Qt::red);
    SelSourceNext->setEnabled(true);
    state_.sourceKind = kind;
}

void TForm1::SelSourceNextClick()
{
    if (!state_.sourceChosen) {
        AppDialogs().ShowMessage(tr("No source selected").toStdString());
        return;
    }
    const std::string& kind = state_.sourceKind;
    if (kind == "wave" || kind == "midi")
        MoveTo(SelWav);
    else if (kind == "mic" || kind == "line" || kind == "aux")
        MoveTo(RecExt);
    else if (kind == "cd")
        MoveTo(selCD);
}

namespace {
// A Standard MIDI File ("MThd") or one wrapped in RIFF ("RIFF....RMID"); a file that cannot
// be read goes by its extension, and the file page tells what is wrong with it.
bool looksLikeMidi(const std::string& path)
{
    char head[12] = {};
    std::ifstream file(path, std::ios::binary);
    if (file.read(head, sizeof head) || file.gcount() >= 4) {
        const std::string bytes(head, static_cast<std::size_t>(file.gcount()));
        return bytes.starts_with("MThd") || (bytes.size() == 12 && bytes.starts_with("RIFF") && bytes.substr(8) == "RMID");
    }
    const QString name = QString::fromStdString(path).toLower();
    return name.endsWith(".mid") || name.endsWith(".midi") || name.endsWith(".rmi");
}
}  // namespace

void TForm1::OpenFromCommandLine(const std::string& path)
{
    const bool midi = looksLikeMidi(path);
    SourceButtonClick(findChild<QToolButton*>(midi ? "IEButton2" : "IEButton1"), midi ? "midi" : "wave");
    SelSourceNextClick();
    SelWavInputChosen(path);
}

void TForm1::MoveTo(QWidget* page)
{
    history_.push_back(CurrentPage());
    btnBack_->setEnabled(true);
    // The focus follows from the Next button into the new page; its enter action runs now,
    // once. On its way the focus may pass through widgets outside the page (Back); the
    // focus tracking must not take that for the user leaving and re-entering the page.
    movingPage_ = true;
    focusPage_ = page;
    pages_->setCurrentWidget(page);
    ArrangeTabOrder(page);
    FirstFocusable(page)->setFocus(Qt::TabFocusReason);
    movingPage_ = false;
    focusPage_ = page;
    // An enter action that fails is reported and the wizard stays on the new page.
    Guarded([&] { RunEnterAction(page); });
}

void TForm1::BtnBackClick()
{
    if (history_.empty() || (CurrentPage() == RecExt && !MayDiscardTake()))
        return;
    QWidget* page = history_.back();
    pages_->setCurrentWidget(page);
    ArrangeTabOrder(page);
    history_.pop_back();
    btnBack_->setEnabled(!history_.empty());
    // The focus stays on Back: the page's enter action waits for the focus to enter it.
    if (PageOf(QApplication::focusWidget()) != page)
        focusPage_ = nullptr;
}

void TForm1::CancelClick()
{
    close();
}

QWidget* TForm1::FirstFocusable(QWidget* page) const
{
    for (QWidget* w = page->nextInFocusChain(); w && w != page; w = w->nextInFocusChain()) {
        if (PageOf(w) != page)
            break;
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(page))
            return w;
    }
    return page;
}

QWidget* TForm1::PageOf(QWidget* w) const
{
    for (; w; w = w->parentWidget())
        if (w->parentWidget() == pages_)
            return w;
    return nullptr;
}

void TForm1::OnFocusChanged(QWidget* now)
{
    // Focus moves of other windows (message boxes, the details dialog) and the loss of
    // focus when a window is deactivated are not moves within the wizard.
    if (!now || now->window() != this || movingPage_)
        return;
    QWidget* page = PageOf(now);
    if (page == focusPage_)
        return;
    focusPage_ = page;
    if (page && page == CurrentPage())
        RunEnterAction(page);
}

void TForm1::RunEnterAction(QWidget* page)
{
    if (auto it = enterActions_.find(page); it != enterActions_.end())
        it->second();
}

void TForm1::ArrangeTabOrder(QWidget* page)
{
    QPushButton* next = page->findChild<QPushButton*>(page->objectName() + "Next");
    if (!next)
        return;
    QWidget* before = next->previousInFocusChain();
    if (before == btnBack_)
        return;
    QWidget::setTabOrder(before, btnBack_);
    QWidget::setTabOrder(btnBack_, next);
}

void TForm1::keyPressEvent(QKeyEvent* event)
{
    QWidget* page = CurrentPage();
    QPushButton* target = nullptr;
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        // A focused push button is the one Enter presses; elsewhere Enter means Next.
        auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
        if (focused && focused->window() == this && focused->isVisible() && focused->isEnabled())
            target = focused;
        if (!target)
            target = enabledButton(page, "Next");
        if (!target)
            target = enabledButton(page, "Finish");
    } else if (plain && event->key() == Qt::Key_Escape) {
        target = enabledButton(page, "Cancel");
        // Esc never ends a run by accident: with one under way it asks first.
        const bool running = target && (page == EncodeWav || page == RecEnc || page == RecEncCD);
        if (running) {
            event->accept();
            if (AppDialogs().AskYesNo(tr("Cancel the encoding under way?").toStdString()) && target->isEnabled())
                target->click();
            return;
        }
    }
    if (!target) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    target->click();
}

void TForm1::WatchTyping(QLineEdit* field, std::function<void()> check)
{
    auto* pause = new QTimer(field);
    pause->setSingleShot(true);
    pause->setInterval(kTypingPauseMs);
    connect(field, &QLineEdit::textEdited, pause, qOverload<>(&QTimer::start));
    connect(pause, &QTimer::timeout, this, [this, check] { Guarded(check); });
    // Leaving the field (or Enter) does not wait for the pause.
    connect(field, &QLineEdit::editingFinished, this, [this, pause, check] {
        if (!pause->isActive())
            return;
        pause->stop();
        Guarded(check);
    });
}

std::optional<std::string> TForm1::DroppedFile(const QMimeData* mime) const
{
    if ((CurrentPage() != SelWav && CurrentPage() != selCD) || !mime || !mime->hasUrls() || mime->urls().size() != 1 ||
        !mime->urls().front().isLocalFile())
        return std::nullopt;
    const QString file = mime->urls().front().toLocalFile();
    // The track list takes disc images only.
    if (CurrentPage() == selCD && !QRegularExpression("\\.(cue|toc|nrg)$", QRegularExpression::CaseInsensitiveOption)
                                       .match(file)
                                       .hasMatch())
        return std::nullopt;
    return file.toStdString();
}

void TForm1::dragEnterEvent(QDragEnterEvent* event)
{
    if (DroppedFile(event->mimeData()))
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event)
{
    const auto file = DroppedFile(event->mimeData());
    if (!file)
        return;
    event->acceptProposedAction();
    Guarded([&] { CurrentPage() == selCD ? OpenDiscImage(*file) : SelWavInputChosen(*file); });
}

void TForm1::OfferBackToInput()
{
    // A split take whose run failed goes back to its tracks, as the user left them.
    const bool splitAgain = splitRun_ && splitRun_->TakeGivenBack();
    keepSplitTracks_ = splitAgain;
    QWidget* input = state_.sourceKind == "cd" ? selCD : splitAgain ? SplitTracks : SelWav;
    const auto at = std::find(history_.begin(), history_.end(), input);
    if (at == history_.end())
        return;
    history_.erase(at + 1, history_.end());
    state_.jobStarted = false;
    keepCheckedTracks_ = input == selCD;
    btnBack_->show();
    btnBack_->setEnabled(true);
    btnBack_->raise();
}
