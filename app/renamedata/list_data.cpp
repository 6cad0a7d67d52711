#include "app/renamedata/list_data.h"

#include "common/archive/archive_type.h"
#include "common/archive/member_walk.h"
#include "common/archive/stdio_file.h"
#include "common/dat/dat_file.h"
#include "common/text/encoding.h"
#include "common/text/input_text.h"
#include "common/text/sjis.h"

namespace qm::renamedata {
namespace {

using text::sjis;

// Lists come zipped as ".xml", DAT files as ".dat" too.
bool isList(const std::string& name) {
  const std::size_t dot = sjis::findLast(name, '.');
  if (dot == sjis::npos) return false;
  const std::string_view extension = std::string_view(name).substr(dot + 1);
  return sjis::equalsIgnoreCaseAscii(extension, "xml") || sjis::equalsIgnoreCaseAscii(extension, "dat");
}

// Takes the first list member and ends the walk there.
class FirstXml : public archive::MemberVisitor {
public:
  explicit FirstXml(std::size_t limit) : sink_(limit) {}
  archive::MemberSink* visit(const archive::Member& member) override {
    if (found_ || !isList(member.name)) return nullptr;
    found_ = true;
    return &sink_;
  }
  bool unpacked(const archive::Member&, const std::optional<archive::ArchiveError>& error) override {
    failed_ = error.has_value();
    return false;
  }
  bool wantsMore() const override { return !found_; }

  bool found() const { return found_; }
  bool failed() const { return failed_; }
  std::string take() { return sink_.take(); }

private:
  archive::MemorySink sink_;
  bool found_ = false;
  bool failed_ = false;
};

ListData failure(const char* utf8) { return {std::nullopt, sjis(utf8), {}}; }

ListData handOver(const std::string& bytes, const std::string& notice) {
  platform::ReadOnlyText text(bytes);
  if (!text.valid()) return failure("リストデータファイルが開けませんでした");
  return {std::move(text), {}, notice};
}

// `name` names the list file in the messages about its encoding.
ListData readOnly(const std::string& bytes, const std::string& name) {
  // A DAT file is UTF-8 by its format and may hold characters code page 932
  // lacks: it goes over as it is, and the plug-in that reads DATs converts
  // and counts them.
  if (dat::looksLikeDat(bytes)) return handOver(bytes, {});
  const text::InputText input = text::inputTextOf(bytes, name);
  if (input.refused()) return {std::nullopt, input.refusal, {}};
  if (input.text.empty()) return failure("リストデータが空です");  // a byte-order mark alone is empty too
  return handOver(input.text, input.notice);
}

ListData fromZip(const std::string& path, std::size_t limit) {
  FirstXml visitor(limit);
  const auto error = archive::visitMembers(path, visitor);
  if (!visitor.found()) {
    if (error) return failure("zip から xml 検索に失敗しました");
    return failure("リストデータに指定された zip は xml を含みません");
  }
  if (visitor.failed()) return failure("zip から xml をメモリ上に展開できませんでした");
  return readOnly(visitor.take(), path);
}

ListData fromFile(const std::string& path) {
  const archive::StdioFile file = archive::openStdioFile(path, "rb");
  if (!file) return failure("リストデータファイルが開けませんでした");
  std::string bytes;
  char block[65536];
  std::size_t got = 0;
  while ((got = std::fread(block, 1, sizeof block, file.get())) > 0) bytes.append(block, got);
  if (std::ferror(file.get())) return failure("リストデータファイルが開けませんでした");
  return readOnly(bytes, path);
}

}  // namespace

ListData loadListData(const std::string& path, std::size_t zipLimit) {
  if (archive::archiveTypeOf(path) == archive::ArchiveType::Zip) return fromZip(path, zipLimit);
  return fromFile(path);
}

}  // namespace qm::renamedata
