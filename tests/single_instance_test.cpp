// One Murvane per user session: a later start hands over to the running one.
#include "support/program_fixture.h"

namespace murvane::testing {
namespace {

TEST(SecondStartTest, HandsOverAndPutsUpNothing) {
  fake::FakePlatform sys;
  sys.instance.otherRunning = true;
  Application app(sys.Get());
  EXPECT_EQ(app.Start(), StartOutcome::HandedOver);
  EXPECT_TRUE(sys.tray.Calls().empty());
  EXPECT_EQ(sys.windows.LiveCount(), 0);
  EXPECT_EQ(sys.instance.Asked(), std::vector<InstanceRequest>{InstanceRequest::ShowConfiguration});
}

TEST(SecondStartTest, AClaimNobodyAnswersForNeverStopsAStart) {
  fake::FakePlatform sys;
  sys.instance.otherRunning = true;
  sys.instance.otherAnswers = false;
  Application app(sys.Get());
  EXPECT_EQ(app.Start(), StartOutcome::Running);
  EXPECT_EQ(sys.tray.Shown().size(), 3u);
}

TEST(SecondStartTest, ASetupProgramEndingItDuringStartUpLetsStartUpFinishFirst) {
  fake::FakePlatform sys;
  sys.tray.duringNextCall = [&] { sys.instance.Deliver(InstanceRequest::Exit); };
  Application app(sys.Get());
  StartOutcome outcome = StartOutcome::NoWindow;
  EXPECT_NO_THROW(outcome = app.Start());
  EXPECT_EQ(outcome, StartOutcome::Running);
  EXPECT_TRUE(sys.tray.Shown().empty());
  EXPECT_EQ(sys.windows.QuitCalls(), 1);
}

using RunningInstanceTest = ProgramTest;

TEST_F(RunningInstanceTest, ALaterStartOpensTheConfigurationWindow) {
  Start();
  sys.instance.Deliver(InstanceRequest::ShowConfiguration);
  EXPECT_TRUE(ConfigScreen().visible);
  EXPECT_TRUE(sys.windows.TaskListVisible());
}

}  // namespace
}  // namespace murvane::testing
