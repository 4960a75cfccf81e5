#pragma once

#include <QImage>

#include <cstddef>
#include <functional>
#include <vector>

namespace tessalo {

// Makes one image, such as one picture of a set decoded and resampled. It runs on a worker
// thread, so it may use QImage but no QPixmap and no widget.
using ImageJob = std::function<QImage()>;

// Runs the jobs on all cores, earliest first, and hands image i to `finished` on the calling
// thread as soon as images 0..i are made, so progress advances in order. The calling thread helps
// with jobs not yet started while it waits. Returns only once every job has ended, so jobs may
// refer to the caller's locals.
void runImageJobs(const std::vector<ImageJob>& jobs,
                  const std::function<void(std::size_t, QImage)>& finished);

} // namespace tessalo
