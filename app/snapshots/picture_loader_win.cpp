#include "app/snapshots/picture_loader_win.h"

namespace qm::snapshots {

PictureLoader::PictureLoader(HWND window, UINT message)
    : window_(window), message_(message), thread_([this] { run(); }) {}

PictureLoader::~PictureLoader() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    pending_.reset();
  }
  wake_.notify_one();
  thread_.join();
}

std::uint64_t PictureLoader::request(PictureRequest request) {
  std::uint64_t generation;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    pending_ = std::move(request);
    generation = ++latest_;
  }
  wake_.notify_one();
  return generation;
}

void PictureLoader::cancel() {
  std::lock_guard<std::mutex> lock(mutex_);
  pending_.reset();
  ready_.reset();
  ++latest_;
}

std::unique_ptr<PictureResult> PictureLoader::take() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (ready_ && ready_->generation != latest_) ready_.reset();
  return std::move(ready_);
}

void PictureLoader::run() {
  for (;;) {
    PictureRequest request;
    std::uint64_t generation;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || pending_.has_value(); });
      if (stopping_) return;
      request = std::move(*pending_);
      pending_.reset();
      generation = latest_;
    }
    auto result = std::make_unique<PictureResult>(work(request));
    result->generation = generation;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      // Overtaken while it was being made: the newer request is on its way.
      if (stopping_ || generation != latest_) continue;
      ready_ = std::move(result);
    }
    PostMessageA(window_, message_, 0, 0);
  }
}

PictureResult PictureLoader::work(const PictureRequest& request) {
  PictureResult result;
  if (request.sources.itemPath.empty() && request.sources.machineFolder.empty()) return result;
  auto found = findPicture(cache_, request.rules, request.sources, request.names);
  if (!found) {
    result.state = PictureState::NotFound;
    return result;
  }
  result.path = std::move(found->path);
  result.label = std::move(found->label);
  result.picture = gdiplus_.ready() ? decodeScaled(result.path, request.placement) : std::nullopt;
  result.state = result.picture ? PictureState::Shown : PictureState::Unreadable;
  return result;
}

}  // namespace qm::snapshots
