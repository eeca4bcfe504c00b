#include "client/ui/upload/upload_form.h"

#include <cstdio>

#include "common/gbk_text.h"

namespace mb {
namespace {

const char kStarInTitle[] = "标题、描述、和标签信息不能包含星号!";
// The description's and tag's refusal ends in a blank, the title's does not.
const char kStarInText[] = "标题、描述、和标签信息不能包含星号! ";

bool HasStar(std::string_view text) { return GbkFind(text, '*') != std::string_view::npos; }

FormCheck Refuse(std::string message, FormFocus focus = FormFocus::kNone) {
  FormCheck check;
  check.message = std::move(message);
  check.focus = focus;
  return check;
}

template <typename... Args>
std::string Format(const char* format, Args... args) {
  char text[256];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

// A lower level's number: empty for the number 1 (a level the member left at its default).
std::string LowerLevelNumber(const UploadCategoryList& categories, std::string_view chosen) {
  const std::optional<int> number = categories.NumberOf(TrimBlanks(chosen));
  if (number && *number == 1) return {};
  return std::to_string(number.value_or(-1));
}

}  // namespace

std::size_t CountGbkCharacters(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < text.size(); pos += GbkCharLength(text, pos)) ++count;
  return count;
}

FormCheck ValidateUploadForm(const UploadFormInput& in, const UploadLimits& limits,
                             const UploadCategoryList& categories, const AlbumList& albums) {
  if (in.path.empty()) return Refuse("请选择上传文件");
  if (!in.fileExists) return Refuse("上传文件不存在");
  if (!in.fileReadable) return Refuse("该文件不存在，或被其他文件锁定", FormFocus::kPath);
  if (in.fileSize > static_cast<std::uint64_t>(limits.maxKb) * 1024) {
    return Refuse(Format("该文件大小超过%dK,请选择其他文件上传", limits.maxKb), FormFocus::kPath);
  }
  if (in.width < limits.minWidth || in.height < limits.minHeight) {
    return Refuse(Format("该图片文件的分辨率没有达到%d X %d 的要求", limits.minWidth, limits.minHeight),
                  FormFocus::kPath);
  }
  if (in.title.empty()) return Refuse("请填写标题");
  if (HasStar(in.title)) return Refuse(kStarInTitle);
  if (CountGbkCharacters(in.description) > kMaxDescriptionCharacters) {
    return Refuse("简介超过最大字数限制", FormFocus::kDescription);
  }
  if (HasStar(in.description)) return Refuse(kStarInText);
  const std::string tag(TrimBlanks(in.tag));
  if (HasStar(tag)) return Refuse(kStarInText);
  if (in.user.empty()) return Refuse("游客不能上传");
  if (in.uploadUrl.empty()) return Refuse("上传服务器地址不正确");

  FormCheck check;
  UploadForm& form = check.form;
  form.title = in.title;
  form.path = in.path;
  form.source = std::to_string(in.sourceIndex + 1);
  form.reprint = in.sourceText == "转载";
  form.user = in.user;
  form.description = in.description;
  form.uploadUrl = in.uploadUrl;
  form.visibility = in.visibilityIndex == 1 ? "1" : "0";
  form.category1 = std::to_string(categories.NumberOf(TrimBlanks(in.category1)).value_or(-1));
  form.category2 = LowerLevelNumber(categories, in.category2);
  form.category3 = LowerLevelNumber(categories, in.category3);
  form.album = in.album ? std::to_string(albums.NumberOf(*in.album)) : "0";
  form.tag = tag;
  form.fileSize = in.fileSize;
  form.width = in.width;
  form.height = in.height;
  return check;
}

}  // namespace mb
