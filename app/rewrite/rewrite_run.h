// Running a rewriting script: for a launch, every INI key and registry value
// it names is backed up (when asked) and rewritten; in a test, every line is
// checked and reported and nothing is changed (a registry test writes a
// value of its own beside the one named and deletes it again at once).
//
// Only what exists is rewritten: a missing file, section, key, registry key
// or value is skipped, never created. A launch skips every line that cannot
// be carried out without a word; a test reports it and asks whether to go on.
#pragma once

#include <memory>
#include <string_view>

#include "app/launch/launch_template.h"
#include "app/rewrite/include_expansion.h"
#include "app/rewrite/registry.h"
#include "app/rewrite/rewrite_journal.h"
#include "app/rewrite/rewrite_log.h"

namespace qm::rewrite {

struct RewriteSetup {
  IncludePlace place;
  // Expands file paths, INI values and registry string data (double quotes
  // taken out of the images first). A test from the settings dialog has no
  // item and sets pathsOnly.
  launch::TemplateValues values;
  std::shared_ptr<Registry> registry;
  bool backup = true;  // back up before the first change of each file or value
};

// `journal` receives the backups of a launch; a test needs none.
void runRewriteScript(const RewriteSetup& setup, std::string_view script, RewriteLog& log,
                      RewriteJournal* journal);

}  // namespace qm::rewrite
