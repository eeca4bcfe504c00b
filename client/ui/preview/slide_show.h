// The preview dialog's list of pictures and the one shown: with two or more, each step moves to
// the next and wraps round after the last; with fewer, stepping changes nothing.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace mb::preview {

class SlideShow {
 public:
  void AddPicture(const std::string& path) { paths_.push_back(path); }
  std::size_t Count() const { return paths_.size(); }
  std::size_t Index() const { return index_; }
  // The picture at the index; empty when the index lies outside the list.
  std::string Current() const { return index_ < paths_.size() ? paths_[index_] : std::string(); }
  // Moves to the next picture; false (nothing moved) with fewer than two pictures.
  bool Step();

 private:
  std::vector<std::string> paths_;
  std::size_t index_ = 0;
};

}  // namespace mb::preview
