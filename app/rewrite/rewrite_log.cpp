#include "app/rewrite/rewrite_log.h"

#include "common/text/encoding.h"

namespace qm::rewrite {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

void RewriteLog::fault(const std::string& caption, const std::string& text) {
  reports_.push_back({caption, text, true, false, {}});
  if (mode_ != RewriteMode::Test) return;
  const MessageAnswer answer = sink_.show(text + text::sjis("\n\nテストを続行しますか？"), caption,
                                          MessageIcon::Warning, MessageButtons::YesNo);
  if (answer == MessageAnswer::No) mode_ = RewriteMode::Stop;
}

void RewriteLog::success(const std::string& caption, const std::string& text, const RewriteChange& change) {
  reports_.push_back({caption, text, false, true, change});
  if (mode_ == RewriteMode::Test) sink_.show(text, caption, MessageIcon::Information, MessageButtons::Ok);
}

void RewriteLog::changed(const RewriteChange& change) { reports_.push_back({"", "", false, true, change}); }

void RewriteLog::warning(const std::string& caption, const std::string& text) {
  reports_.push_back({caption, text, true, false, {}});
  sink_.show(text, caption, MessageIcon::Information, MessageButtons::Ok);
}

}  // namespace qm::rewrite
