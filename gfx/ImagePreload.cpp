#include "gfx/ImagePreload.h"

#include <condition_variable>
#include <list>
#include <mutex>
#include <thread>

namespace orb {
namespace {

struct Job {
  std::string path;
  PngImage image;
  std::string error;
  bool ok = false;
  bool done = false;
};

struct Worker {
  std::mutex mutex;
  std::condition_variable decoded;
  std::list<Job> jobs;  // a list: the worker fills a job while others are erased
  std::thread thread;

  void join() {
    if (thread.joinable()) thread.join();
  }
  // A thread still running at exit would end the program with std::terminate.
  ~Worker() { join(); }
};

Worker& worker() {
  static Worker w;
  return w;
}

void decodeAll(Worker& w, std::vector<Job*> todo) {
  for (Job* job : todo) {
    PngImage image;
    std::string error;
    const bool ok = image.load(job->path, error);
    std::lock_guard<std::mutex> lock(w.mutex);
    job->image = std::move(image);
    job->error = std::move(error);
    job->ok = ok;
    job->done = true;
    w.decoded.notify_all();
  }
}

}  // namespace

void ImagePreload::start(const std::vector<std::string>& paths) {
  Worker& w = worker();
  w.join();
  std::vector<Job*> todo;
  {
    std::lock_guard<std::mutex> lock(w.mutex);
    for (const std::string& path : paths) {
      w.jobs.push_back(Job{path, {}, {}, false, false});
      todo.push_back(&w.jobs.back());
    }
  }
  if (!todo.empty()) w.thread = std::thread(decodeAll, std::ref(w), std::move(todo));
}

bool ImagePreload::load(const std::string& path, PngImage& image, std::string& error) {
  Worker& w = worker();
  {
    std::unique_lock<std::mutex> lock(w.mutex);
    for (auto job = w.jobs.begin(); job != w.jobs.end(); ++job) {
      if (job->path != path) continue;
      w.decoded.wait(lock, [&] { return job->done; });
      image = std::move(job->image);
      error = std::move(job->error);
      const bool ok = job->ok;
      w.jobs.erase(job);
      return ok;
    }
  }
  return image.load(path, error);
}

void ImagePreload::finish() {
  Worker& w = worker();
  w.join();
  std::lock_guard<std::mutex> lock(w.mutex);
  w.jobs.clear();
}

int ImagePreload::waiting() {
  Worker& w = worker();
  std::lock_guard<std::mutex> lock(w.mutex);
  return static_cast<int>(w.jobs.size());
}

}  // namespace orb
