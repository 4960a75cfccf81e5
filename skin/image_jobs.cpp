#include "skin/image_jobs.h"

#include <QFuture>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

namespace tessalo {

namespace {

// Should `finished` throw, the jobs still running must end before what they refer to does.
class WaitForAll {
  public:
    explicit WaitForAll(std::vector<QFuture<QImage>>& futures) : futures_(futures) {}
    ~WaitForAll() {
        // A future whose image was taken has finished, and waiting on it again never returns.
        for (QFuture<QImage>& future : futures_) {
            if (future.isValid())
                future.waitForFinished();
        }
    }
    WaitForAll(const WaitForAll&) = delete;
    WaitForAll& operator=(const WaitForAll&) = delete;

  private:
    std::vector<QFuture<QImage>>& futures_;
};

} // namespace

void runImageJobs(const std::vector<ImageJob>& jobs,
                  const std::function<void(std::size_t, QImage)>& finished) {
    std::vector<QFuture<QImage>> futures;
    futures.reserve(jobs.size());
    const WaitForAll waitForAll(futures);
    for (const ImageJob& job : jobs)
        futures.push_back(QtConcurrent::run(QThreadPool::globalInstance(), job));
    for (std::size_t i = 0; i < futures.size(); ++i) {
        // Taken, not copied: the future would otherwise keep every image until the end.
        finished(i, futures[i].takeResult());
    }
}

} // namespace tessalo
