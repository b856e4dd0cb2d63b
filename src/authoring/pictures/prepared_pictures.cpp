#include "prepared_pictures.h"

#include <algorithm>
#include <atomic>
#include <deque>
#include <mutex>
#include <set>
#include <tuple>
#include <system_error>
#include <thread>

#include "authoring/file_bytes.h"
#include "authoring/parallel.h"
#include "bytes_fingerprint.h"
#include "content/quiz.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace fenok::pack {
namespace {

// Decoding a photo allocates and frees buffers of several megabytes; glibc maps each one afresh and
// unmaps it when freed, and faulting in those pages took longer than the decoding itself. Kept in the
// heap, the buffers are reused from one photo to the next.
void reuseLargeBuffers() {
#if defined(__GLIBC__)
  // The largest block glibc lets the heap keep rather than map on its own (half its heap size).
  constexpr int kLargestHeapBlock = 32 * 1024 * 1024;
  mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock);
  mallopt(M_TRIM_THRESHOLD, 2 * kLargestHeapBlock);
#endif
}

// Fitted pictures are a few tens of kilobytes: twice a full quiz's pictures and solutions are kept.
constexpr std::size_t kRememberedPictures = 4 * kMaxQuestions;

}  // namespace

struct PreparedPictures::Memo {
  using Key = std::tuple<std::uint64_t, std::size_t, PictureStorage>;
  std::mutex mutex;
  std::map<Key, Prepared> pictures;
  std::deque<Key> order;  // oldest first, forgotten first
};

PreparedPictures::Memo& PreparedPictures::memo() {
  static Memo memo;
  return memo;
}

bool PreparedPictures::recall(const Prepared& input, PictureStorage storage, Prepared& found) {
  Memo& memo = PreparedPictures::memo();
  std::lock_guard<std::mutex> lock(memo.mutex);
  const auto known = memo.pictures.find(Memo::Key{input.inputHash, input.inputSize, storage});
  if (known == memo.pictures.end()) return false;
  found = known->second;
  return true;
}

void PreparedPictures::remember(const Prepared& result, PictureStorage storage) {
  Memo& memo = PreparedPictures::memo();
  std::lock_guard<std::mutex> lock(memo.mutex);
  const Memo::Key key{result.inputHash, result.inputSize, storage};
  if (!memo.pictures.emplace(key, result).second) return;
  memo.order.push_back(key);
  if (memo.order.size() > kRememberedPictures) {
    memo.pictures.erase(memo.order.front());
    memo.order.pop_front();
  }
}

bool PreparedPictures::fitted(std::vector<std::uint8_t>& bytes, PictureFormat& format, Message& problem) {
  Prepared result;
  result.inputHash = bytesFingerprint(bytes);
  result.inputSize = bytes.size();
  if (!recall(result, PictureStorage::fitted, result)) {
    result.format = format;
    result.ok = preparePicture(bytes, result.format, PictureStorage::fitted, result.problem);
    result.changed = result.ok;
    if (result.ok) result.bytes = bytes;
    remember(result, PictureStorage::fitted);
  }
  problem = result.problem;
  if (!result.ok) return false;
  format = result.format;
  bytes = std::move(result.bytes);
  return true;
}

void PreparedPictures::rememberFitted(const std::vector<std::uint8_t>& input, std::vector<std::uint8_t> fitted,
                                      PictureFormat format) {
  Prepared result;
  result.inputHash = bytesFingerprint(input);
  result.inputSize = input.size();
  result.ok = true;
  result.changed = true;
  result.format = format;
  result.bytes = std::move(fitted);
  remember(result, PictureStorage::fitted);
}

void PreparedPictures::prepareAll(const std::vector<std::string>& paths) {
  if (storage_ == PictureStorage::asGiven) return;  // checking a file as given costs less than reading it twice
  const std::set<std::string> unique(paths.begin(), paths.end());
  std::vector<std::string> files;
  for (const std::string& path : unique)
    if (prepared_.count(path) == 0) files.push_back(path);
  std::vector<Prepared> results(files.size());
  reuseLargeBuffers();
  runInParallel(files.size(), [&](std::size_t i) { results[i] = prepareFile(files[i]); });
  for (std::size_t i = 0; i < files.size(); ++i)
    if (results[i].inputSize > 0) prepared_.emplace(files[i], std::move(results[i]));
}

PreparedPictures::Prepared PreparedPictures::prepareFile(const std::string& path) const {
  Prepared result;
  // A file that cannot be read is left to the one-by-one pass, which says why.
  std::vector<std::uint8_t> bytes;
  if (!readFileBytes(path, bytes)) return result;
  result.format = pictureFormat(bytes);
  if (result.format == PictureFormat::none) return result;
  result.inputHash = bytesFingerprint(bytes);
  result.inputSize = bytes.size();
  if (recall(result, storage_, result)) return result;
  result.ok = preparePicture(bytes, result.format, storage_, result.problem);
  result.changed = result.ok && storage_ == PictureStorage::fitted;
  if (result.changed) result.bytes = std::move(bytes);
  remember(result, storage_);
  return result;
}

bool PreparedPictures::prepare(const std::string& path, std::vector<std::uint8_t>& bytes, PictureFormat& format,
                               Message& problem) const {
  const auto found = prepared_.find(path);
  if (found == prepared_.end() || found->second.inputSize != bytes.size() ||
      found->second.inputHash != bytesFingerprint(bytes))
    return preparePicture(bytes, format, storage_, problem);
  const Prepared& prepared = found->second;
  problem = prepared.problem;
  if (!prepared.ok) return false;
  format = prepared.format;
  // A new vector, so that the large buffer of the file as read is let go.
  if (prepared.changed) bytes = std::vector<std::uint8_t>(prepared.bytes.begin(), prepared.bytes.end());
  return true;
}

}  // namespace fenok::pack
