// The wizard in the user's language: the catalogue chosen from the locale's languages, Qt's
// own texts beside it, and the wave road walked to a finished MP3 with every page in German
// and nothing cut off.
#include "app/PageFit.h"
#include "app/WizardFixture.h"
#include "platform/os/Translations.h"
#include "support/AudioOracles.h"
#include "support/WaveFixtures.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cstdlib>
#include <sndfile.h>

namespace {
QString Tr(const char* context, const char* text)
{
    return QCoreApplication::translate(context, text);
}

struct ForgetLanguage {
    ~ForgetLanguage() { RemoveTranslations(); }
};
}  // namespace

TEST(Translations, TheFirstShippedLanguageOfTheLocaleIsLoadedAndEnglishStaysTheSource)
{
    ForgetLanguage forget;
    EXPECT_EQ(ShippedLanguages(), QStringList({"de", "es", "fr"}));

    // A region the catalogue does not name falls back to its language.
    EXPECT_EQ(InstallTranslations(QLocale("fr_CA")), "fr");
    EXPECT_EQ(Tr("TForm1", "&Next >"), "&Suivant >");
    EXPECT_EQ(Tr("TForm1", "< &Back"), "< &Précédent");
    EXPECT_EQ(InstallTranslations(QLocale("es_MX")), "es");
    EXPECT_EQ(Tr("TForm1", "&Cancel"), "&Cancelar");
    EXPECT_EQ(Tr("TForm1", "&Next >"), "&Siguiente >") << "a second call replaces the first catalogue";
    // Qt's own catalogue comes with ours: the buttons of Qt's dialogs speak the same language.
    EXPECT_EQ(InstallTranslations(QLocale("de_AT")), "de");
    EXPECT_EQ(Tr("TForm1", "&Next >"), "&Weiter >");
    EXPECT_EQ(Tr("QPlatformTheme", "Cancel"), "Abbrechen");

    // English, a language not shipped, and the C locale leave the source texts.
    for (const char* name : {"en_GB", "pt_BR", "C"}) {
        EXPECT_EQ(InstallTranslations(QLocale(name)), "") << name;
        EXPECT_EQ(Tr("TForm1", "&Next >"), "&Next >") << name;
        EXPECT_EQ(Tr("QPlatformTheme", "Cancel"), "Cancel") << name;
    }
}

namespace {
class GermanWizardTest : public WizardTest {
protected:
    void BeforeWizard() override
    {
        // Through ctest the language comes from LANG, as the program takes it at start.
        const bool fromEnvironment = std::getenv("MERVANE_TEST_LANGUAGE_FROM_ENVIRONMENT") != nullptr;
        ASSERT_EQ(InstallTranslations(fromEnvironment ? QLocale::system() : QLocale("de_DE")), "de");
    }
    void TearDown() override
    {
        WizardTest::TearDown();
        RemoveTranslations();
    }

    // The page shows its German heading, nothing on it is cut off, and its Next (or Finish)
    // button speaks German.
    void ExpectGermanPage(const char* name, const char* heading, const char* button, const char* buttonText)
    {
        SCOPED_TRACE(name);
        ASSERT_EQ(CurrentPageName(), name);
        EXPECT_EQ(Find<QLabel>((std::string(name) + "Heading").c_str())->text().toStdString(), heading);
        EXPECT_EQ(Find<QPushButton>(button)->text().toStdString(), buttonText);
        for (const QWidget* w : CutOffWidgets(form1->CurrentPage()))
            ADD_FAILURE() << w->objectName().toStdString() << " cuts off its text";
    }
};
}  // namespace

TEST_F(GermanWizardTest, TheWaveRoadWalksToAFinishedMp3InGerman)
{
    EXPECT_EQ(Find<QPushButton>("BtnBack")->text().toStdString(), "< &Zurück");
    ExpectGermanPage("SelSource", "Audioquelle auswählen", "SelSourceNext", "&Weiter >");
    const long frames = 44100 * 2;
    const auto pcm = Tone(44100, {440, 880}, frames);
    const std::string input = Input("lied.wav");
    ASSERT_TRUE(SndWriteShorts(input, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, pcm));

    Click("IEButton1");
    Click("SelSourceNext");
    ExpectGermanPage("SelWav", "Wave-Datei auswählen", "SelWavNext", "&Weiter >");
    dialogs->openAnswers.push_back(input);
    Click("SelWavBrowseInput");
    Activate();
    ClickFileNext();
    ExpectGermanPage("SingleTag", "Angaben zur MP3-Datei eingeben", "SingleTagNext", "&Weiter >");
    Click("SingleTagNext");
    ExpectGermanPage("EncodeOptions", "Kodieroptionen auswählen", "EncodeOptionsNext", "&Weiter >");
    EXPECT_EQ(Find<QLabel>("BitrateValue")->text(), "128 Khz");
    Click("EncodeOptionsNext");
    ASSERT_TRUE(WaitForFinish());
    ExpectGermanPage("EncodeWav", "WAVE-Datei wird kodiert", "EncodeWavFinish", "&Fertig stellen");
    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();

    EXPECT_EQ(Find<QLineEdit>("EncodeWavOutput")->text().toStdString(), Input("lied.mp3"));
    const DecodedMp3 d = DecodeMp3File(Input("lied.mp3"));
    EXPECT_EQ(d.rate, 44100);
    EXPECT_EQ(d.channels, 2);
    EXPECT_GE(d.Frames(), frames);
}
