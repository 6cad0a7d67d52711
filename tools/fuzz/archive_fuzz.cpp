// libFuzzer target over the archive walker and our zip directory reader. The
// first byte picks the archive type, the rest is the archive. Every member is
// unpacked into a sink that only counts, so the readers' data paths run too.
#include <cstddef>
#include <cstdint>
#include <span>

#include "common/archive/member_walk.h"
#include "common/archive/zip_directory.h"

namespace {

using namespace qm::archive;

constexpr ArchiveType kTypes[] = {ArchiveType::Zip, ArchiveType::SevenZip, ArchiveType::Rar, ArchiveType::Lzh};
// A few bytes of input may claim gigabytes; stop each member early.
constexpr std::uint64_t kMemberLimit = 16 << 20;

class CountingSink : public MemberSink {
public:
  bool write(std::span<const std::uint8_t> block) override {
    bytes_ += block.size();
    return bytes_ <= kMemberLimit;
  }
  void reset() { bytes_ = 0; }

private:
  std::uint64_t bytes_ = 0;
};

class UnpackEverything : public MemberVisitor {
public:
  MemberSink* visit(const Member& member) override {
    if (member.name.size() > kMaxMemberNameBytes) __builtin_trap();
    sink_.reset();
    return &sink_;
  }
  bool unpacked(const Member&, const std::optional<ArchiveError>&) override { return true; }

private:
  CountingSink sink_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  MemorySource source(std::span(data + 1, size - 1));
  readZipDirectory(source);
  UnpackEverything visitor;
  visitMembers(kTypes[data[0] % 4], source, "fuzz", visitor);
  return 0;
}
