// Every page of every road, at the desktop's font and at a 20 % larger one, in every shipped
// language and in a pseudo language of bracketed, longer texts (and, through ctest, at a
// doubled scale): each text shows whole, measured with the widget's own font against its
// geometry, every control has a name a screen reader can say, and in the pseudo language
// every text shown went through a translation.
#include "app/WizardFixture.h"
#include "controls/MMEGauge.h"
#include "platform/os/Translations.h"
#include "support/MidiFixtures.h"
#include "support/PseudoTranslator.h"
#include "support/WaveFixtures.h"

#include <QAccessible>
#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QTabWidget>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStyle>
#include <QTextDocument>
#include <QToolButton>
#include <map>

namespace {
// The desktop font's scale and the language the pages speak ("" English, "pseudo" the
// bracketed texts of PseudoTranslator).
struct PageLook {
    double fontScale;
    const char* language;
};

class PageLayoutTest : public WizardTest, public ::testing::WithParamInterface<PageLook> {
protected:
    void BeforeWizard() override
    {
        QFont larger = desktopFont_;
        larger.setPointSizeF(desktopFont_.pointSizeF() * GetParam().fontScale);
        QApplication::setFont(larger);
        const QString language = GetParam().language;
        if (language == "pseudo")
            QCoreApplication::installTranslator(&pseudo_);
        else if (!language.isEmpty()) {
            ASSERT_EQ(InstallTranslations(QLocale(language)), language);
        }
    }
    void TearDown() override
    {
        WizardTest::TearDown();
        QApplication::setFont(desktopFont_);
        QCoreApplication::removeTranslator(&pseudo_);
        RemoveTranslations();
    }
    bool Pseudo() const { return GetParam().language == std::string("pseudo"); }
    static QString Tr(const char* text) { return QCoreApplication::translate("TForm1", text); }

    // The page's texts show whole and lie inside the window; its controls have names.
    void ExpectPageReadable(const char* name)
    {
        SCOPED_TRACE(name);
        QWidget* page = Find(name);
        ASSERT_EQ(form1->CurrentPage(), page);
        for (QWidget* w : page->findChildren<QWidget*>()) {
            const std::string id = (w->objectName() + " " + w->metaObject()->className()).toStdString();
            if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) || qobject_cast<QGroupBox*>(w)) {
                const QRect inWindow(w->mapTo(form1.get(), QPoint(0, 0)), w->size());
                EXPECT_TRUE(form1->rect().contains(inWindow)) << id << " lies outside the window";
                EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry())) << id << " lies outside its parent";
                EXPECT_TRUE(TextFits(w)) << id << " cuts off its text";
                if (Pseudo() && w->isVisibleTo(page) && !ShownText(w).isEmpty()) {
                    EXPECT_TRUE(PseudoTranslator::Translated(ShownText(w)))
                        << id << " shows text that escaped translation: " << ShownText(w).toStdString();
                }
            }
            QWidget* parent = w->parentWidget();
            const bool control = parent == page || qobject_cast<QGroupBox*>(parent) ||
                                 parent->accessibleName() == "Encoder";
            const auto* label = qobject_cast<QLabel*>(w);
            if (!control || (label && label->text().isEmpty()))
                continue;
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            ASSERT_NE(a, nullptr) << id;
            EXPECT_FALSE(a->text(QAccessible::Name).isEmpty()) << id << " has no accessible name";
        }
        // Nothing runs under the buttons at the bottom, and no two of the page's keys share
        // a letter.
        std::vector<QWidget*> bottom = {Find("BtnBack")};
        for (const char* suffix : {"Next", "Cancel", "Finish"})
            if (QWidget* b = page->findChild<QWidget*>(QString(name) + suffix))
                bottom.push_back(b);
        std::map<QChar, std::string> letters;
        for (QWidget* w : page->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(page))
                continue;
            const std::string id = w->objectName().toStdString();
            const QRect r(w->mapTo(form1.get(), QPoint(0, 0)), w->size());
            for (QWidget* b : bottom) {
                if (b != w && b->isVisibleTo(form1.get()) && (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLabel*>(w))) {
                    EXPECT_FALSE(r.intersects(QRect(b->mapTo(form1.get(), QPoint(0, 0)), b->size())))
                        << id << " runs under " << b->objectName().toStdString();
                }
            }
        }
        QList<QWidget*> keyed = page->findChildren<QWidget*>();
        keyed << Find("BtnBack");
        for (QWidget* w : keyed) {
            QString text;
            if (auto* b = qobject_cast<QAbstractButton*>(w))
                text = b->text();
            else if (auto* l = qobject_cast<QLabel*>(w); l && l->buddy())
                text = l->text();
            const qsizetype at = text.indexOf('&');
            if (at < 0 || at + 1 >= text.size() || !w->isVisibleTo(form1.get()))
                continue;
            const auto [it, fresh] = letters.emplace(text[at + 1].toLower(), w->objectName().toStdString());
            EXPECT_TRUE(fresh) << w->objectName().toStdString() << " shares Alt+" << text[at + 1].toLatin1() << " with "
                               << it->second;
        }
        // And every widget inside them (the fields of spin boxes and combo boxes, lists).
        ExpectPageNamed();
    }

    static QString ShownText(QWidget* w)
    {
        if (auto* label = qobject_cast<QLabel*>(w))
            return label->text();
        if (auto* group = qobject_cast<QGroupBox*>(w))
            return group->title();
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            return button->text();
        return {};
    }

    static bool TextFits(QWidget* w)
    {
        const QFontMetrics fm(w->font());
        const QStyle* style = w->style();
        if (auto* label = qobject_cast<QLabel*>(w)) {
            const QRect room = label->contentsRect();
            if (Qt::mightBeRichText(label->text())) {
                QTextDocument doc;
                doc.setDefaultFont(label->font());
                doc.setDocumentMargin(0);
                doc.setHtml(label->text());
                return doc.idealWidth() <= room.width() && fm.height() <= room.height();
            }
            const int wrap = label->wordWrap() ? Qt::TextWordWrap : 0;
            // A label that is a field's caption shows its key letter underlined, not the '&'.
            const QString shown = label->buddy() ? QString(label->text()).remove('&') : label->text();
            const QRect need = fm.boundingRect(QRect(0, 0, label->wordWrap() ? room.width() : 100000, 100000),
                                               wrap | Qt::AlignLeft | Qt::AlignTop, shown);
            return need.width() <= room.width() && need.height() <= room.height();
        }
        if (auto* group = qobject_cast<QGroupBox*>(w))
            return fm.horizontalAdvance(group->title()) + 16 <= group->width();
        auto* button = qobject_cast<QAbstractButton*>(w);
        if (!button)
            return true;
        QString text = button->text();
        text.remove('&');
        int width = fm.horizontalAdvance(text);
        int height = fm.height();
        if (qobject_cast<QRadioButton*>(w))
            width += style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                     style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing);
        else if (qobject_cast<QCheckBox*>(w))
            width += style->pixelMetric(QStyle::PM_IndicatorWidth) + style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
        else if (auto* tool = qobject_cast<QToolButton*>(w))
            height += tool->iconSize().height();
        else
            width += 4;
        return width <= button->width() && height <= button->height();
    }

    // Shows a page that this fixture cannot reach through its road (no disc, no capture
    // device): its enter action would start that road's work.
    void Show(const char* name)
    {
        Find<QStackedWidget>("PageControl1")->setCurrentWidget(Find(name));
        QApplication::processEvents();
        ExpectPageReadable(name);
    }

    QFont desktopFont_ = QApplication::font();
    PseudoTranslator pseudo_;
};
}  // namespace

TEST_P(PageLayoutTest, EveryPageShowsItsWholeTextAndNamesEveryControl)
{
    form2->MidiAvailable = true;
    form3.reset();
    form1.reset();
    CreateWizard();
    ExpectPageReadable("SelSource");

    // The MIDI road's file page, then the wave road through to its encoding page.
    WriteFileBytes(Input("song.mid"), HeldA4Song());
    Click("IEButton2");
    Click("SelSourceNext");
    dialogs->openAnswers.push_back(Input("song.mid"));
    Click("SelWavBrowseInput");
    Activate();
    ExpectPageReadable("SelWav");
    Click("BtnBack");
    Click("IEButton1");
    WritePcmWave(Input("a.wav"), 16, 2, 44100, PatternBytes(44100));
    WalkToDetails(Input("a.wav"));
    Click("BtnBack");
    ExpectPageReadable("SelWav");
    Click("SelWavNext");
    ExpectPageReadable("SingleTag");
    Click("SingleTagNext");
    ExpectPageReadable("EncodeOptions");
    Click("EncodeOptionsNext");
    ASSERT_TRUE(WaitForFinish());
    ExpectPageReadable("EncodeWav");
    Find("EncodeWavAborted")->show();
    ExpectPageReadable("EncodeWav");

    // The other roads' pages with the longest texts they show.
    Show("RecEnc");
    Find<QLabel>("RecExtHeading")->setText(Tr("Recording from LINE input"));
    Show("RecExt");
    Find<QLabel>("selCDInfo")->setText(Tr("This CD contains %1 tracks").arg(99));
    Show("selCD");
    for (const char* page : {"SelCDrec", "CDoptions", "CDtagsel", "RecEncCD"})
        Show(page);
    Find<QLabel>("MultitagHeading")->setText(Tr("Enter details for track %1").arg(99));
    Show("Multitag");
    Show("SplitTracks");
    Find<QAbstractButton>("SplitTracksPlay")->setText(QCoreApplication::translate("SplitTracksPage", "Sto&p playing"));
    Show("SplitTracks");

    // A meter tells its level to a screen reader.
    auto* meter = Find<TMMLEDGauge>("MMLEDGauge3");
    meter->SetProgress(40);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(meter);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(a->valueInterface(), nullptr);
    EXPECT_EQ(a->valueInterface()->currentValue().toInt(), 40);
    meter->SetProgress(75);
    EXPECT_EQ(a->valueInterface()->currentValue().toInt(), 75);
}

TEST_P(PageLayoutTest, PreferencesShowEveryTextWholeWithOneMnemonicPerLetterOnEachTab)
{
    Click("PreferencesButton");
    auto* window = form1->findChild<QDialog*>("PreferencesWindow");
    ASSERT_NE(window, nullptr);
    auto* tabs = window->findChild<QTabWidget*>("PreferencesTabs");
    ASSERT_NE(tabs, nullptr);
    for (int t = 0; t < tabs->count(); ++t) {
        tabs->setCurrentIndex(t);
        QApplication::processEvents();
        QWidget* tab = tabs->currentWidget();
        SCOPED_TRACE(tab->objectName().toStdString());
        std::map<QChar, std::string> letters;
        for (QWidget* w : tab->findChildren<QWidget*>()) {
            if (!w->isVisible())
                continue;
            const auto* label = qobject_cast<QLabel*>(w);
            const std::string id = (w->objectName() + " " + w->metaObject()->className() + " " +
                                    (label ? label->text() : QString()))
                                       .toStdString();
            const QRect inWindow(w->mapTo(window, QPoint(0, 0)), w->size());
            EXPECT_TRUE(window->rect().contains(inWindow)) << id << " lies outside the window";
            EXPECT_TRUE(TextFits(w)) << id << " cuts off its text";
            QString text;
            if (auto* b = qobject_cast<QAbstractButton*>(w)) {
                text = b->text();
            } else if (auto* l = qobject_cast<QLabel*>(w)) {
                text = l->text();
                if (text.contains('&')) {
                    EXPECT_NE(l->buddy(), nullptr) << id << " has a key but no field";
                }
            }
            const qsizetype at = text.indexOf('&');
            if (at < 0 || at + 1 >= text.size())
                continue;
            const auto [it, fresh] = letters.emplace(text[at + 1].toLower(), id);
            EXPECT_TRUE(fresh) << id << " shares Alt+" << text[at + 1].toLatin1() << " with " << it->second;
        }
    }
    window->reject();
}

INSTANTIATE_TEST_SUITE_P(Fonts, PageLayoutTest, ::testing::Values(PageLook{1.0, ""}, PageLook{1.2, ""}),
                         [](const auto& p) { return p.param.fontScale == 1.0 ? "Desktop" : "TwentyPercentLarger"; });
INSTANTIATE_TEST_SUITE_P(Languages, PageLayoutTest,
                         ::testing::Values(PageLook{1.0, "de"}, PageLook{1.0, "fr"}, PageLook{1.0, "es"},
                                           PageLook{1.0, "pseudo"}),
                         [](const auto& p) { return std::string(p.param.language); });
