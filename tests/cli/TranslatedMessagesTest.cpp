// mervane-cli speaks the language of LANG, as a terminal user expects: its help and its usage
// errors in German or French, and in English (the source) otherwise.
#include "support/TempDir.h"
#include "support/WaveFixtures.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>
#include <regex>
#include <string>

namespace {
struct CliRun {
    int exitCode;
    std::string out;
    std::string err;
};

CliRun RunCliIn(const char* lang, const QStringList& args)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        env.remove(name);
    env.insert("LANG", lang);
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(MERVANE_CLI_PROGRAM, args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput().toStdString(),
            p.readAllStandardError().toStdString()};
}
}  // namespace

TEST(TranslatedMessages, HelpAndUsageErrorsFollowLang)
{
    const CliRun help = RunCliIn("de_DE.UTF-8", {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("Optionen:"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("--bitrate KBPS"), std::string::npos) << "option names stay as they are";
    EXPECT_NE(help.out.find("Zeigt diese Hilfe."), std::string::npos) << help.out;

    const CliRun wrong = RunCliIn("fr_FR.UTF-8", {"wave", "--bitrate", "33", "a.wav"});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_NE(wrong.err.find("mervane-cli: --bitrate : 33 kbit/s ne fait pas partie des débits"), std::string::npos)
        << wrong.err;
    EXPECT_NE(wrong.err.find("Utilisation :"), std::string::npos) << wrong.err;

    for (const char* english : {"C", "en_US.UTF-8"}) {
        const CliRun source = RunCliIn(english, {"wave", "--bitrate", "33", "a.wav"});
        EXPECT_EQ(source.exitCode, 2);
        EXPECT_NE(source.err.find("mervane-cli: --bitrate: 33 kbit/s is not one of the bit rates\nUsage:"),
                  std::string::npos)
            << english << ": " << source.err;
    }
}

TEST(TranslatedMessages, TheClosingSummaryOfARunFollowsLang)
{
    IsolatedSettings settings;
    const std::string wave = settings.Folder().File("one second.wav");
    WritePcmWave(wave, 16, 2, 44100, PatternBytes(44100 * 4));
    const auto args = [&](const char* folder) {
        return QStringList{"wave", "-o", QString::fromStdString(settings.Folder().File(folder)), QString::fromStdString(wave),
                           QString::fromStdString(settings.Folder().File("missing.wav"))};
    };
    const CliRun german = RunCliIn("de_DE.UTF-8", args("de"));
    EXPECT_EQ(german.exitCode, 1) << german.err;
    EXPECT_TRUE(std::regex_search(german.err, std::regex("\nmervane-cli: 2 Dateien, 0:01 Audio in \\d+:\\d\\d, 1 fehlgeschlagen\n$")))
        << german.err;
    const CliRun english = RunCliIn("C", args("en"));
    EXPECT_TRUE(std::regex_search(english.err, std::regex("\nmervane-cli: 2 files, 0:01 of audio in \\d+:\\d\\d, 1 failed\n$")))
        << english.err;
}

// A disc image that cannot be read is refused in the user's language, the image's reader's
// reason (a sheet's grammar, a file it names) as much as the sentence around it; in English
// the words stay as they were.
TEST(TranslatedMessages, ADiscImageRefusalFollowsLang)
{
    IsolatedSettings settings;
    const std::string early = settings.Folder().File("early.cue");
    const std::string missing = settings.Folder().File("missing.cue");
    const auto write = [](const std::string& path, const std::string& text) { WriteBytes(path, Bytes(text.begin(), text.end())); };
    write(early, "TRACK 01 AUDIO\n");
    write(missing, "FILE \"gone.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
    const auto cd = [&](const char* lang, const std::string& image) {
        return RunCliIn(lang, {"cd", "--no-lookup", "--device", QString::fromStdString(image), "-o",
                               QString::fromStdString(settings.Folder().File("out"))});
    };
    const std::string gone = settings.Folder().File("gone.bin");

    const CliRun germanEarly = cd("de_DE.UTF-8", early);
    EXPECT_EQ(germanEarly.exitCode, 1) << germanEarly.err;
    EXPECT_NE(germanEarly.err.find("mervane-cli: Das CD-Abbild „" + early + "“ kann nicht gelesen werden\n"
                                   "Titel 01 steht vor jeder FILE-Zeile\n"),
              std::string::npos)
        << germanEarly.err;
    const CliRun germanMissing = cd("de_DE.UTF-8", missing);
    EXPECT_NE(germanMissing.err.find("\nDie in „missing.cue“ genannte Datei „" + gone + "“ existiert nicht\n"),
              std::string::npos)
        << germanMissing.err;

    const CliRun english = cd("C", missing);
    EXPECT_EQ(english.exitCode, 1) << english.err;
    EXPECT_NE(english.err.find("mervane-cli: Unable to read the CD image \"" + missing + "\"\nThe file \"" + gone +
                               "\" named in \"missing.cue\" does not exist\n"),
              std::string::npos)
        << english.err;
}

// What a wave file holds that cannot be encoded is described in the user's language too.
TEST(TranslatedMessages, AnUnsupportedWaveFormatIsDescribedInTheUsersLanguage)
{
    IsolatedSettings settings;
    const std::string alaw = settings.Folder().File("alaw.wav");
    WriteBytes(alaw, RiffBuilder().Fmt(6, 2, 8000, 8).Chunk("data", PatternBytes(4000)).Build());
    const CliRun german = RunCliIn("de_DE.UTF-8", {"wave", "-o", QString::fromStdString(settings.Folder().File("out")),
                                                   QString::fromStdString(alaw)});
    EXPECT_EQ(german.exitCode, 1) << german.err;
    EXPECT_NE(german.err.find("Nicht unterstütztes Wave-Format: Die Datei enthält CCITT A-Law, 8 Bit, 2 Kanäle, 8000 Hz."),
              std::string::npos)
        << german.err;
}
