// The wizard for people at the keyboard and behind a screen reader: Enter presses the
// focused button, Esc asks before it ends a run, the bit rate reads as a bit rate, combo
// boxes are named by their labels, source tiles are radio buttons with their state and a
// list's rows are on screen only while the list is; a short message still shows its whole
// title.
#include "app/QtDialogs.h"
#include "app/WizardFixture.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QSlider>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>

TEST_F(WizardTest, EnterPressesTheFocusedButtonAndEscAsksBeforeEndingARun)
{
    Click("IEButton1");
    Click("SelSourceNext");
    auto* browse = Find<QWidget>("SelWavBrowseOutput");
    browse->setFocus();
    dialogs->saveAnswers.push_back(std::nullopt);
    QTest::keyClick(browse, Qt::Key_Return);
    EXPECT_EQ(dialogs->saveRequests.size(), 1u) << "Enter on Browse browses";
    EXPECT_EQ(CurrentPageName(), "SelWav");

    // An encoding page whose work is still open (Cancel enabled): Esc asks, and No keeps it.
    form1->MoveTo(Find("EncodeWav"));  // no input: reported, the page stays with Cancel
    dialogs->messages.clear();
    Activate();
    ASSERT_TRUE(Find("EncodeWavCancel")->isEnabled());
    dialogs->questionAnswers = {false, true};
    QTest::keyClick(form1.get(), Qt::Key_Escape);
    ASSERT_EQ(dialogs->questions.size(), 1u);
    EXPECT_FALSE(Find("EncodeWavAborted")->isVisibleTo(form1.get()));
    QTest::keyClick(form1.get(), Qt::Key_Escape);
    EXPECT_TRUE(Find("EncodeWavAborted")->isVisibleTo(form1.get()));
    EXPECT_FALSE(closedSignal) << "Esc on a run cancels the run, not the wizard";
}

TEST_F(WizardTest, ScreenReadersHearLabelsBitRatesAndTheChosenSource)
{
    // Tiles: radio buttons, only the chosen one checked.
    QAccessibleInterface* wave = QAccessible::queryAccessibleInterface(Find("IEButton1"));
    QAccessibleInterface* cd = QAccessible::queryAccessibleInterface(Find("IEButton3"));
    ASSERT_TRUE(wave && cd);
    EXPECT_EQ(wave->role(), QAccessible::RadioButton);
    EXPECT_EQ(wave->text(QAccessible::Name), "Wave file");
    EXPECT_FALSE(wave->state().checked);
    Click("IEButton1");
    EXPECT_TRUE(wave->state().checked);
    EXPECT_FALSE(cd->state().checked);

    // Combo boxes by their labels, whatever they show; the slider in kbit/s; the encoder
    // line one label whose link takes the focus.
    for (const char* page : {"EncodeOptions", "CDoptions"}) {
        SCOPED_TRACE(page);
        const QString p(page);
        QAccessibleInterface* container = QAccessible::queryAccessibleInterface(Find((p + "Container").toUtf8()));
        QAccessibleInterface* quality = QAccessible::queryAccessibleInterface(Find((p + "Quality").toUtf8()));
        ASSERT_TRUE(container && quality);
        EXPECT_EQ(container->text(QAccessible::Name), "Save as");
        EXPECT_EQ(container->text(QAccessible::Value), "MP3 inside a wave file");
        EXPECT_EQ(quality->text(QAccessible::Name), "Quality");
    }
    auto* slider = Find<QSlider>("MMSlider1");
    QAccessibleInterface* rate = QAccessible::queryAccessibleInterface(slider);
    ASSERT_TRUE(rate && rate->valueInterface());
    slider->setValue(2);
    EXPECT_EQ(rate->valueInterface()->currentValue().toInt(), 40);
    rate->valueInterface()->setCurrentValue(192);
    EXPECT_EQ(slider->value(), 11);
    EXPECT_EQ(Find<QLabel>("BitrateValue")->text(), "192 Khz");
    auto* strip = Find<QLabel>("EncodeWavClickHere");
    EXPECT_TRUE(strip->focusPolicy() & Qt::TabFocus);
    EXPECT_TRUE(strip->textInteractionFlags() & Qt::LinksAccessibleByKeyboard);

    // A variable bit rate leaves the fixed rate's slider nothing to say.
    Find<QComboBox>("EncodeOptionsQuality")->setCurrentIndex(3);
    EXPECT_FALSE(slider->isEnabled());
    EXPECT_FALSE(Find("CDoptionsSlider")->isEnabled());
    Find<QComboBox>("CDoptionsQuality")->setCurrentIndex(0);
    EXPECT_TRUE(slider->isEnabled());
}

TEST_F(WizardTest, ScreenReadersHearListRowsOnlyWhileTheirListShows)
{
    // The track list on its page, shown (the page clears the list as it opens).
    auto* stack = form1->findChild<QStackedWidget*>();
    QWidget* first = stack->currentWidget();
    stack->setCurrentWidget(Find("selCD"));
    QApplication::processEvents();
    auto* tracks = Find<QListWidget>("selCDTracks");
    tracks->addItems({"Track 1", "Track 2"});
    QApplication::processEvents();  // the list lays out its rows
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(tracks);
    ASSERT_TRUE(list);
    ASSERT_EQ(list->childCount(), 2);
    QAccessibleInterface* second = list->child(1);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->text(QAccessible::Name), "Track 2");
    EXPECT_EQ(list->indexOfChild(second), 1);
    EXPECT_EQ(second->parent(), list);
    EXPECT_FALSE(second->state().invisible) << "a row of the shown page";
    const QWidget* port = tracks->viewport();
    EXPECT_TRUE(QRect(port->mapToGlobal(QPoint()), port->size()).contains(second->rect()));

    stack->setCurrentWidget(first);
    EXPECT_TRUE(second->state().invisible) << "a row of a page that is not shown";

    // A closed drop-down list's rows, read through their combo box.
    QAccessibleInterface* quality = QAccessible::queryAccessibleInterface(Find("EncodeOptionsQuality"));
    ASSERT_TRUE(quality && quality->child(0) && quality->child(0)->child(0));
    EXPECT_EQ(quality->child(0)->parent(), quality);
    EXPECT_TRUE(quality->child(0)->child(0)->state().invisible);
}

TEST_F(WizardTest, AShortMessageBoxIsStillWideEnoughForItsWholeTitle)
{
    const QString title = "The wave file you chose could not be read";
    int width = 0;
    int needed = 0;
    QTimer answer;  // closes the box once it is up
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        QFont bold = box->font();
        bold.setBold(true);
        needed = QFontMetrics(bold).horizontalAdvance(title);
        width = box->width();
        box->done(QMessageBox::Ok);
    });
    answer.start(0);
    QtDialogs().ShowMessageBox("File not found", title.toStdString(), MessageBoxKind::Error);
    ASSERT_GT(needed, 0) << "no box came up";
    EXPECT_GT(width, needed + 90) << "the title and the title bar's buttons";
}
