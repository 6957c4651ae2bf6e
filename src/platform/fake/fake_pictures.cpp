// The fake file system and pictures: files the test names, pictures that say what they are.
#include "platform/fake/fake_platform.h"
#include "platform/ico/ico_check.h"

namespace murvane::fake {

namespace {

class FakePicture final : public Picture {
 public:
  FakePicture(FakePictures& owner, std::int32_t handle) : owner_(owner), handle_(handle) {}
  ~FakePicture() override { owner_.Released(handle_); }
  std::int32_t Handle() const override { return handle_; }

 private:
  FakePictures& owner_;
  std::int32_t handle_;
};

}  // namespace

const FakeFile* FakeFiles::Find(const std::u16string& path) const {
  auto found = files_.find(path);
  return found == files_.end() ? nullptr : &found->second;
}

bool FakeFiles::IsNormalFile(const std::u16string& path) {
  const FakeFile* file = Find(path);
  return file && !file->folder && !file->hidden && !file->system;
}

PicturePtr FakePictures::Make(std::string description) {
  std::int32_t handle = nextHandle_;
  nextHandle_ += 4;
  ++created_;
  live_[handle] = description;
  everSeen_[handle] = std::move(description);
  return std::make_shared<FakePicture>(*this, handle);
}

PicturePtr FakePictures::LoadResource(const std::string& name) {
  return Make(name);
}

PicturePtr FakePictures::LoadIconFile(const std::u16string& path) {
  const FakeFile* file = files_.Find(path);
  if (!file || file->folder || !IsWellFormedIcon(file->bytes)) return nullptr;
  return Make(std::string(path.begin(), path.end()));
}

std::string FakePictures::Describe(std::int32_t handle) const {
  auto found = everSeen_.find(handle);
  return found == everSeen_.end() ? "" : found->second;
}

}  // namespace murvane::fake
