// ManagerPageLink: what a download page asks of the wallpaper manager page when a category is
// made or a picture has arrived. The main window hands its manager page's link to each download
// page; a page without one still records the picture and, for setWallpaper, puts it in the
// carousel.
#pragma once

#include <string>

namespace mb {

class ManagerPageLink {
 public:
  virtual ~ManagerPageLink() = default;
  // A category new to the client: a root item in the page's category tree.
  virtual void InsertCategoryItem(const std::string& category) = 0;
  // Selects the category's tree item (exact name), or refreshes the pictures when it is selected.
  virtual void SelectCategoryInTree(const std::string& category) = 0;
  // setWallpaper: the picture joins the carousel list and is shown at once.
  virtual void OnPictureDownloaded(const std::string& path) = 0;
};

}  // namespace mb
