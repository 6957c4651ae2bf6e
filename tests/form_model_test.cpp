// The form model's one rule: a change handler runs on every real change of a
// value, whoever made it, and never when a set leaves the value as it was.
#include <gtest/gtest.h>

#include "forms/form.h"
#include "platform/fake/fake_platform.h"

namespace murvane {
namespace {

struct CountingHandlers : FormHandlers {
  std::vector<ControlId> changes;
  void Change(const ControlId& id) override { changes.push_back(id); }
};

WindowDesc OneBoxWindow() {
  WindowDesc window;
  window.name = "frmTest";
  window.controls.resize(2);
  window.controls[0].kind = ControlKind::CheckBox;
  window.controls[0].id = {"chkTest"};
  window.controls[0].value = 1;
  window.controls[1].kind = ControlKind::TextBox;
  window.controls[1].id = {"txtTest", 0};
  return window;
}

class FormModelTest : public ::testing::Test {
 protected:
  fake::FakePlatform sys;
  WindowDesc layout = OneBoxWindow();
  CountingHandlers handlers;
  Form form{sys.Get(), layout, handlers};
};

TEST_F(FormModelTest, ProgramSetRunsTheHandlerOnlyWhenTheValueChanges) {
  form.SetValue({"chkTest"}, 1);
  EXPECT_TRUE(handlers.changes.empty());
  form.SetValue({"chkTest"}, 0);
  EXPECT_EQ(handlers.changes.size(), 1u);
  form.SetText({"txtTest", 0}, u"x");
  form.SetText({"txtTest", 0}, u"x");
  EXPECT_EQ(handlers.changes.size(), 2u);
}

}  // namespace
}  // namespace murvane
