// The fixed file-version block of a program file's version resource.
#pragma once

#include <string>

namespace mb {

class VersionInfo {
 public:
  explicit VersionInfo(const std::string& path);
  bool IsValid() const { return valid_; }
  unsigned long MostSignificant() const { return fileVersionMS_; }
  unsigned long LeastSignificant() const { return fileVersionLS_; }
  // Language/code-page pairs of the resource, as found.
  int TranslationCount() const { return translationCount_; }

 private:
  bool valid_ = false;
  unsigned long fileVersionMS_ = 0;
  unsigned long fileVersionLS_ = 0;
  int translationCount_ = 0;
};

// "%d.%d.%d.%d" of a file with a valid version block.
bool GetFileVersionText(const std::string& path, std::string& text);

}  // namespace mb
