// The upload page's form: what the member filled in and what the page found out about the file,
// checked in the order the member is told about it, and turned into the values the upload sends.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "client/ui/upload/upload_lists.h"

namespace mb {

// The page's boxes and choices, and the facts of the file the path names.
struct UploadFormInput {
  std::string path;
  bool fileExists = false;
  bool fileReadable = false;  // it could be opened for reading
  std::uint64_t fileSize = 0;
  int width = 0, height = 0;  // of the picture in the file; 0 when it cannot be read
  std::string title, description, tag;
  int sourceIndex = 0;  // 0 "原创", 1 "转载"
  std::string sourceText;
  int visibilityIndex = 0;  // 0 "公开", 1 "私人"
  std::string category1, category2, category3;  // the texts chosen in the three boxes
  std::optional<std::string> album;             // none when no album is chosen
  std::string user, uploadUrl;
};

struct UploadLimits {
  int maxKb = 2048;
  int minWidth = 1024;
  int minHeight = 768;
};

// The values one upload sends, all texts as they go into the registration.
struct UploadForm {
  std::string title, path, source, user, description, uploadUrl, visibility;
  std::string category1, category2, category3, album, tag;
  bool reprint = false;  // the source "转载": registered at the reprint address
  std::uint64_t fileSize = 0;
  int width = 0, height = 0;
};

// Where the page puts the focus after a refusal.
enum class FormFocus { kNone, kPath, kDescription };

struct FormCheck {
  std::string message;  // empty when the form is good
  FormFocus focus = FormFocus::kNone;
  UploadForm form;
  bool ok() const { return message.empty(); }
};

constexpr int kMaxDescriptionCharacters = 100;

FormCheck ValidateUploadForm(const UploadFormInput& input, const UploadLimits& limits,
                             const UploadCategoryList& categories, const AlbumList& albums);

// Characters of a GBK text: a double-byte character counts once.
std::size_t CountGbkCharacters(std::string_view text);

}  // namespace mb
