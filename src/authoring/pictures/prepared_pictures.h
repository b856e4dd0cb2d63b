#pragma once
// A quiz's pictures prepared on every core before they are collected in question order: decoding a
// camera photo takes a good tenth of a second, and a quiz may hold 192 of them. A result is found
// again by its file and checked against the bytes the collector read, so a file that changed in
// between, or was never listed, is simply prepared then.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "picture_fitting.h"

namespace fenok::pack {

class PreparedPictures {
 public:
  explicit PreparedPictures(PictureStorage storage) : storage_(storage) {}

  // Reads and fits every file in parallel; files that cannot be read are left to the collector, and
  // pictures stored as given are only checked, when they are collected.
  void prepareAll(const std::vector<std::string>& paths);

  // What preparePicture gives for these bytes, fitted: found again when this process fitted the same
  // bytes before (the studio shows a picture as it will be stored, then checks and makes the quiz).
  static bool fitted(std::vector<std::uint8_t>& bytes, PictureFormat& format, Message& problem);

  // A picture fitted elsewhere (another process: a page's worker) from these input bytes, to be found
  // again here as if fitted here.
  static void rememberFitted(const std::vector<std::uint8_t>& input, std::vector<std::uint8_t> fitted,
                             PictureFormat format);

  // What preparePicture gives for these bytes of this file.
  bool prepare(const std::string& path, std::vector<std::uint8_t>& bytes, PictureFormat& format,
               Message& problem) const;

 private:
  struct Prepared {
    std::uint64_t inputHash = 0;
    std::size_t inputSize = 0;
    bool ok = false;
    bool changed = false;  // true: bytes holds the fitted picture (which may be the file itself)
    PictureFormat format = PictureFormat::none;
    std::vector<std::uint8_t> bytes;
    Message problem;
  };

  Prepared prepareFile(const std::string& path) const;
  // Fitting the same bytes again gives the same picture: what this process fitted is found again (a
  // studio checks its quiz at every change, then makes it), within a bound.
  struct Memo;
  static Memo& memo();
  static bool recall(const Prepared& input, PictureStorage storage, Prepared& found);
  static void remember(const Prepared& result, PictureStorage storage);

  PictureStorage storage_;
  std::map<std::string, Prepared> prepared_;
};

}  // namespace fenok::pack
