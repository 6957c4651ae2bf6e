// The form model's one rule: a change handler runs on every real change of a
// value, whoever made it, and never when a set leaves the value as it was.
#include <gtest/gtest.h>

#include "forms/form.h"
#include "platform/fake/fake_platform.h"
#include "ui/config/config_layout.h"

namespace murvane {
namespace {

struct CountingHandlers : FormHandlers {
  std::vector<ControlId> changes;
  void Change(const ControlId& id) override { changes.push_back(id); }
};

class FormModelTest : public ::testing::Test {
 protected:
  fake::FakePlatform sys;
  const WindowDesc& layout = ConfigWindowLayout();
  CountingHandlers handlers;
  Form form{sys.Get(), layout, handlers};
};

TEST_F(FormModelTest, ProgramSetRunsTheHandlerOnlyWhenTheValueChanges) {
  form.SetValue({"chkCapsLock"}, 1);
  EXPECT_TRUE(handlers.changes.empty());
  form.SetValue({"chkCapsLock"}, 0);
  EXPECT_EQ(handlers.changes.size(), 1u);
  form.SetText({"txtCapsLockIconPath", 0}, u"x");
  form.SetText({"txtCapsLockIconPath", 0}, u"x");
  EXPECT_EQ(handlers.changes.size(), 2u);
}

}  // namespace
}  // namespace murvane
