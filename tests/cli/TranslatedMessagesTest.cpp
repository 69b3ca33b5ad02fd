// mervane-cli speaks the language of LANG, as a terminal user expects: its help and its usage
// errors in German or French, and in English (the source) otherwise.
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>
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
