#include "common/archive/member_lookup.h"

#include "common/archive/member_walk.h"
#include "common/text/sjis.h"

namespace qm::archive {
namespace {

// Unpacks the first member `wanted` accepts; meanwhile remembers the position
// of the first member whose name matches only without regard to case.
class FindVisitor : public MemberVisitor {
public:
  using Wanted = std::function<bool(const Member&, std::size_t position)>;
  FindVisitor(std::string_view name, Wanted wanted, const SinkOpener& open)
      : name_(name), wanted_(std::move(wanted)), open_(open) {}

  MemberSink* visit(const Member& member) override {
    const std::size_t position = position_++;
    if (!caseless_ && sjis::equalsIgnoreCaseAscii(member.name, name_)) caseless_ = position;
    if (found_ || !wanted_(member, position)) return nullptr;
    found_ = true;
    auto opened = open_(member);
    if (auto* error = std::get_if<ArchiveError>(&opened)) {
      result_ = std::move(*error);
      return nullptr;
    }
    return std::get<MemberSink*>(opened);
  }

  bool unpacked(const Member&, const std::optional<ArchiveError>& error) override {
    result_ = error;
    return false;
  }

  bool wantsMore() const override { return !found_; }

  bool found() const { return found_; }
  std::optional<std::size_t> caselessPosition() const { return caseless_; }
  const std::optional<ArchiveError>& result() const { return result_; }

private:
  std::string_view name_;
  Wanted wanted_;
  const SinkOpener& open_;
  std::size_t position_ = 0;
  std::optional<std::size_t> caseless_;
  bool found_ = false;
  std::optional<ArchiveError> result_;
};

std::optional<ArchiveError> unpackWanted(const std::string& archivePath, FindVisitor& visitor) {
  auto walkError = visitMembers(archivePath, visitor);
  if (visitor.found()) return visitor.result();
  return walkError;
}

}  // namespace

std::optional<ArchiveError> unpackMember(const std::string& archivePath, std::string_view name,
                                         const SinkOpener& open) {
  FindVisitor exact(name, [name](const Member& m, std::size_t) { return m.name == name; }, open);
  // A walk broken before the member leaves the member unfound.
  auto error = unpackWanted(archivePath, exact);
  if (exact.found()) return error;
  if (const auto position = exact.caselessPosition()) {
    FindVisitor caseless(name, [p = *position](const Member&, std::size_t at) { return at == p; }, open);
    error = unpackWanted(archivePath, caseless);
    if (caseless.found()) return error;
  }
  if (error) return error;
  return ArchiveError{ArchiveErrorKind::NoSuchMember, archivePath + ": no member named " + std::string(name)};
}

}  // namespace qm::archive
