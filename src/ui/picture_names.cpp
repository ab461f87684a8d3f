// SPDX-License-Identifier: MIT
#include "ui/picture_names.h"

#include <algorithm>
#include <string>
#include <filesystem>
#include <system_error>
#include <vector>

namespace ui {
namespace {

namespace fs = std::filesystem;

constexpr std::u16string_view kPrefix = u"ulvPlot_";

fs::path FolderPath(std::u16string_view folder) { return folder.empty() ? fs::path(u".") : fs::path(folder); }

// The number of a picture named by the scheme, or 0 for any other file.
long PictureNumber(const fs::path& file) {
  const std::u16string name = file.filename().u16string();
  const std::u16string extension = file.extension().u16string();
  if (!name.starts_with(kPrefix) || (extension != u".png" && extension != u".svg" && extension != u".jpg")) return 0;
  const std::u16string digits = name.substr(kPrefix.size(), name.size() - kPrefix.size() - extension.size());
  if (digits.empty() || digits.size() > 9 || !std::all_of(digits.begin(), digits.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; }))
    return 0;
  long number = 0;
  for (char16_t c : digits) number = number * 10 + (c - u'0');
  return number;
}

}  // namespace

std::u16string NextPictureName(std::u16string_view folder, std::u16string_view extension) {
  long highest = 0;
  std::error_code failed;
  for (fs::directory_iterator it(FolderPath(folder), failed), end; !failed && it != end; it.increment(failed))
    highest = std::max(highest, PictureNumber(it->path()));
  std::string number = std::to_string(highest + 1);
  if (number.size() < 3) number.insert(0, 3 - number.size(), '0');
  std::u16string name(kPrefix);
  name.append(number.begin(), number.end());
  name += u".";
  name += extension;
  if (folder.empty()) return name;
  return (fs::path(folder) / fs::path(name)).u16string();
}

std::int32_t DeleteSavedPictures(std::u16string_view folder) {
  std::error_code failed;
  fs::directory_iterator it(FolderPath(folder), failed);
  if (failed) return -1;
  std::vector<fs::path> pictures;
  for (fs::directory_iterator end; !failed && it != end; it.increment(failed))
    if (PictureNumber(it->path()) > 0) pictures.push_back(it->path());
  std::int32_t deleted = 0;
  for (const fs::path& picture : pictures) {
    std::error_code ignored;
    if (fs::remove(picture, ignored)) ++deleted;
  }
  return deleted;
}

}  // namespace ui
