// A long run that ends while the wizard is behind other windows says so on the desktop: one
// notification reaches a stand-in notification service on a private session bus.
#include "app/LongJobNotice.h"
#include "app/WizardFixture.h"
#include "support/PrivateSessionBus.h"
#include "support/AudioOracles.h"
#include "support/WaveFixtures.h"

#include <sndfile.h>

#include <QApplication>
#include <QDBusArgument>
#include <QWidget>
#include <chrono>

namespace {

class DesktopNoticeTest : public WizardTest {
protected:
    static void SetUpTestSuite() { bus_ = new PrivateSessionBus; }
    static void TearDownTestSuite()
    {
        delete bus_;
        bus_ = nullptr;
    }
    void TearDown() override
    {
        LongJobNotice::SetLongRunThreshold(std::chrono::seconds(30));
        WizardTest::TearDown();
    }

    static inline PrivateSessionBus* bus_ = nullptr;
};

TEST_F(DesktopNoticeTest, ALongRunEndingBehindOtherWindowsSendsOneNotification)
{
    ASSERT_FALSE(bus_->Address().isEmpty()) << "dbus-daemon did not start";
    QDBusConnection desktop = bus_->Desktop(QStringLiteral("desktop-wizard"));
    FakeNotificationService service;
    ASSERT_TRUE(service.Register(desktop));
    // Every run counts as long here, and the user has turned to another window.
    LongJobNotice::SetLongRunThreshold(std::chrono::milliseconds(0));
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);

    const std::string input = Input("song.wav");
    ASSERT_TRUE(SndWriteShorts(input, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, Tone(44100, {440, 1000}, 44100 * 2)));
    StartEncoding(input);
    QApplication::setActiveWindow(&other);
    ASSERT_TRUE(WaitForFinish());
    ASSERT_FALSE(Find("EncodeWav")->window()->isActiveWindow());

    ASSERT_TRUE(SpinUntil([&] { return !service.calls.empty(); }));
    SpinUntil([] { return false; });  // a second notice would have arrived by now
    ASSERT_EQ(service.calls.size(), 1u);
    const QList<QVariant> args = service.calls.front().arguments();
    EXPECT_EQ(args[3].toString(), "Encoding finished");
    EXPECT_EQ(args[4].toString().toStdString(), Input("song.mp3") + " is ready");
}

}  // namespace
