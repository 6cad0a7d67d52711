// What a rewriting run has to say. A test run shows each report as it comes
// (a fault asks whether to go on; No stops the run) and keeps them all; a
// launch shows nothing but the include warning and keeps the reports for
// whoever wants them. Each change made, or that a test found would be made,
// is kept with its report.
#pragma once

#include <string>
#include <vector>

#include "common/platform/message_sink.h"

namespace qm::rewrite {

enum class RewriteMode { Launch, Test, Stop };

// One INI key or registry value and its data before and after.
struct RewriteChange {
  std::string kind;    // "ini" or "reg"
  std::string target;  // the INI file, or root\subkey
  std::string name;    // "[section]key", or the value name
  std::string type;    // the registry type's name; "" for INI keys
  std::string before;
  std::string after;
};

struct RewriteReport {
  std::string caption;
  std::string text;
  bool fault = false;
  bool hasChange = false;
  RewriteChange change;
};

class RewriteLog {
public:
  RewriteLog(RewriteMode mode, platform::MessageSink& sink) : mode_(mode), sink_(sink) {}

  RewriteMode mode() const { return mode_; }
  bool testing() const { return mode_ != RewriteMode::Launch; }
  bool stopped() const { return mode_ == RewriteMode::Stop; }

  // A line that is skipped: in a test, `text` with the question to go on.
  void fault(const std::string& caption, const std::string& text);
  // A test's report that the line will work.
  void success(const std::string& caption, const std::string& text, const RewriteChange& change);
  // A launch's change, made.
  void changed(const RewriteChange& change);
  // Shown in every mode; the run goes on.
  void warning(const std::string& caption, const std::string& text);

  const std::vector<RewriteReport>& reports() const { return reports_; }

private:
  RewriteMode mode_;
  platform::MessageSink& sink_;
  std::vector<RewriteReport> reports_;
};

}  // namespace qm::rewrite
