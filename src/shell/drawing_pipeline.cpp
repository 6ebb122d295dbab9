#include "shell/drawing_pipeline.h"

#include <exception>
#include <utility>

namespace mq {

namespace {

struct ShownMessage {
  std::string text, title;
  MessageIcon icon;
};

// The operator of a worker: message boxes are kept to be shown in order by the caller;
// the meters and the window belong to the drawing being written, not to this one.
class DeferredOperator : public SilentOperator {
 public:
  void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override {
    messages.push_back({text, title, icon});
  }
  std::vector<ShownMessage> messages;
};

}  // namespace

struct DrawingPipeline::Prepared {
  explicit Prepared(const RunContext& environment) : run(environment) { run.ui = &person; }
  DeferredOperator person;
  RunContext run;
  PreparedDrawing drawing;
  std::exception_ptr error;
};

DrawingPipeline::DrawingPipeline(const std::vector<std::string>& requests, const RunContext& run,
                                 const Settings& settings, int jobs)
    : requests_(requests),
      environment_(run),
      settings_(settings),
      ahead_(2 * static_cast<std::size_t>(jobs > 0 ? jobs : 1)),
      done_(requests.size()) {
  // The caller's thread is one of the jobs: it prepares the drawing it waits for itself
  // when no worker has begun it, and writes every drawing.
  for (int k = 1; k < jobs; ++k) workers_.emplace_back([this] { Work(); });
}

DrawingPipeline::~DrawingPipeline() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  for (std::thread& worker : workers_) worker.join();
}

void DrawingPipeline::Work() {
  for (;;) {
    std::size_t index = 0;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      // Memory stays bounded: no more than `ahead_` drawings wait to be written.
      changed_.wait(lock, [&] { return stopping_ || next_ >= requests_.size() || next_ < taken_ + ahead_; });
      if (stopping_ || next_ >= requests_.size()) return;
      index = next_++;
    }
    Prepare(index);
  }
}

void DrawingPipeline::Prepare(std::size_t index) {
  auto prepared = std::make_unique<Prepared>(environment_);
  prepared->run.FailedFiles.clear();
  prepared->run.PendingMessage.clear();
  std::string request = requests_[index];
  try {
    prepared->drawing = PrepareDrawing(request, prepared->run, settings_);
  } catch (...) {
    prepared->error = std::current_exception();
  }
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    done_[index] = std::move(prepared);
  }
  changed_.notify_all();
}

PreparedDrawing DrawingPipeline::Take(std::size_t index, RunContext& run) {
  std::unique_ptr<Prepared> prepared;
  {
    std::unique_lock<std::mutex> lock(mutex_);
    if (next_ == index) {  // no worker has begun it: prepared here rather than waited for
      ++next_;
      lock.unlock();
      Prepare(index);
      lock.lock();
    }
    changed_.wait(lock, [&] { return done_[index] != nullptr; });
    prepared = std::move(done_[index]);
    taken_ = index + 1;
  }
  changed_.notify_all();
  for (const ShownMessage& m : prepared->person.messages) run.ui->ShowMessage(m.text, m.title, m.icon);
  if (prepared->error) std::rethrow_exception(prepared->error);
  const RunContext& done = prepared->run;
  run.DxfFileName = done.DxfFileName;
  run.ProgramName = done.ProgramName;
  run.DxfShortName = done.DxfShortName;
  run.DxfDirectory = done.DxfDirectory;
  run.FileFailed = done.FileFailed;
  run.Warnings = done.Warnings;
  run.PendingMessage += done.PendingMessage;
  for (const std::string& name : done.FailedFiles) run.FailedFiles.push_back(name);
  return std::move(prepared->drawing);
}

}  // namespace mq
