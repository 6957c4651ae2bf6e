// The About window: what it says, its link, and that there is only ever one.
#include "support/program_fixture.h"
#include "ui/about/about_layout.h"

namespace murvane::testing {
namespace {

class AboutWindowTest : public ProgramTest {
 protected:
  void SetUp() override {
    Start();
    ChooseFromTrayMenu("mnuAbout");
  }
  fake::FakeWindowState& Screen() { return *sys.windows.Live("frmAbout"); }
  std::u16string Shown(const std::string& control) { return Screen().controls.at({control}).text; }
  Colour LinkColour() { return Screen().controls.at({"lblLink"}).foreColour.value(); }
};

TEST_F(AboutWindowTest, ShowsTheProgramsIdentityInOneWindow) {
  ChooseFromTrayMenu("mnuAbout");
  EXPECT_EQ(sys.windows.CreatedCount("frmAbout"), 1);
  ASSERT_TRUE(Screen().visible);
  EXPECT_EQ(Screen().caption, u"Informazioni su Murvane");
  EXPECT_EQ(Shown("lblTitle"), u"Murvane");
  EXPECT_EQ(Shown("lblVersion"), u"Versione 1.3.0");
  EXPECT_EQ(Shown("lblLink"), kMakerWebHost);
}

TEST_F(AboutWindowTest, LinkTurnsGreenOverItAndBlueOnlyOverTheBareBackground) {
  EXPECT_EQ(LinkColour(), 0x00FF0000u);
  sys.PointerOver("frmAbout", {"lblLink"});
  EXPECT_EQ(LinkColour(), 0x0000FF00u);
  sys.PointerOver("frmAbout", {"Label1"});
  sys.PointerOver("frmAbout", {"cmdOK"});
  EXPECT_EQ(LinkColour(), 0x0000FF00u);
  sys.PointerOver("frmAbout", {});
  EXPECT_EQ(LinkColour(), 0x00FF0000u);
}

TEST_F(AboutWindowTest, EachLinkClickAsksTheShellAndTheWindowStays) {
  sys.Click("frmAbout", {"lblLink"});
  sys.Click("frmAbout", {"lblLink"});
  ASSERT_EQ(sys.shell.Requests().size(), 2u);
  const ShellExecuteRequest& request = sys.shell.Requests()[0];
  EXPECT_EQ(request.operation, u"open");
  EXPECT_EQ(request.file, kMakerWebPage);
  EXPECT_EQ(request.showCommand, 1);
  EXPECT_TRUE(Screen().visible);
}

}  // namespace
}  // namespace murvane::testing
