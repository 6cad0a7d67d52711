#include "app/search/search_texts_reader.h"

#include "common/db/db_connection.h"

namespace qm::search {

SearchTextsReader::~SearchTextsReader() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

void SearchTextsReader::start(ItemList& items, std::function<void()> done) {
  if (thread_.joinable()) return;
  job_ = items.textsJob();
  if (!job_) return;
  texts_.reset();
  thread_ = std::thread([this, job = *job_, done = std::move(done)] {
    db::DbConnection db;
    db.open(dbPath_);
    SearchTexts texts;
    if (!texts.load(db, allTextFields(), job.library->rowsByFileName(), job.library->rowCount(), &stop_))
      texts_ = std::move(texts);
    if (done) done();
  });
}

bool SearchTextsReader::finish(ItemList& items) {
  if (!thread_.joinable()) return false;
  thread_.join();
  const bool taken = job_ && texts_ && items.adoptTexts(*job_, std::move(*texts_));
  job_.reset();
  texts_.reset();
  return taken;
}

}  // namespace qm::search
