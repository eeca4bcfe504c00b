// The list's column-click sort: a click on the sorted column turns the direction over, a click
// on another column sorts that one ascending.
#pragma once

namespace mb::thumblist {

class SortOrder {
 public:
  void Click(int column) {
    ascending_ = column == column_ ? !ascending_ : true;
    column_ = column;
  }
  void Set(int column, bool ascending) {
    column_ = column;
    ascending_ = ascending;
  }
  int Column() const { return column_; }
  bool Ascending() const { return ascending_; }
  // A comparison result of the column's texts turned into the sort's order.
  int Apply(int comparison) const { return ascending_ ? comparison : -comparison; }

 private:
  int column_ = -1;
  bool ascending_ = true;
};

}  // namespace mb::thumblist
