#pragma once
// Drawings read and converted ahead on worker threads, handed over one at a time in
// the order of the requests. The engine writes nothing and keeps all its state in the
// conversion, so several drawings can be converted side by side; everything a shared
// file or the operator sees still happens on the caller's thread, in request order,
// when the caller takes each drawing and writes it.

#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/driver/settings.h"
#include "input/run_context.h"
#include "shell/process_file.h"

namespace mq {

class DrawingPipeline {
 public:
  // Converts `jobs` drawings of `requests` at a time: on jobs - 1 worker threads and on
  // the caller's thread while it waits in Take. `run` gives the environment of the run.
  DrawingPipeline(const std::vector<std::string>& requests, const RunContext& run, const Settings& settings,
                  int jobs);
  // Stops the workers after the drawings they are converting.
  ~DrawingPipeline();
  DrawingPipeline(const DrawingPipeline&) = delete;
  DrawingPipeline& operator=(const DrawingPipeline&) = delete;

  // Waits for drawing `index` (taken in order from 0) and puts what its preparation
  // reported into `run` as PrepareDrawing would have: the run variables, the report
  // lines, the failed names, and the message boxes, shown now. What the preparation
  // threw is thrown here.
  PreparedDrawing Take(std::size_t index, RunContext& run);

  struct Prepared;  // one drawing's result

 private:
  void Work();
  void Prepare(std::size_t index);

  const std::vector<std::string> requests_;
  const RunContext environment_;
  const Settings& settings_;
  const std::size_t ahead_;  // drawings converted beyond the one taken, at most

  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::unique_ptr<Prepared>> done_;
  std::size_t next_ = 0;   // the next drawing a worker starts
  std::size_t taken_ = 0;  // drawings the caller has taken
  bool stopping_ = false;
  std::vector<std::thread> workers_;
};

}  // namespace mq
