#include "framework/header_ctrl.h"

namespace fw {

int HeaderCtrl::GetItemWidth(int item) const {
  HDITEMA hdi = {};
  hdi.mask = HDI_WIDTH;
  return Send(HDM_GETITEMA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&hdi)) ? hdi.cxy : -1;
}

bool HeaderCtrl::SetItemWidth(int item, int width) {
  HDITEMA hdi = {};
  hdi.mask = HDI_WIDTH;
  hdi.cxy = width;
  return Send(HDM_SETITEMA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&hdi)) != 0;
}

int HeaderCtrl::GetItemFormat(int item) const {
  HDITEMA hdi = {};
  hdi.mask = HDI_FORMAT;
  return Send(HDM_GETITEMA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&hdi)) ? hdi.fmt : 0;
}

bool HeaderCtrl::SetItemFormat(int item, int format) {
  HDITEMA hdi = {};
  hdi.mask = HDI_FORMAT;
  hdi.fmt = format;
  return Send(HDM_SETITEMA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&hdi)) != 0;
}

std::string HeaderCtrl::GetItemText(int item) const {
  char text[260] = {};
  HDITEMA hdi = {};
  hdi.mask = HDI_TEXT;
  hdi.pszText = text;
  hdi.cchTextMax = sizeof text;
  if (!Send(HDM_GETITEMA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&hdi))) return std::string();
  return hdi.pszText ? std::string(hdi.pszText) : std::string();
}

}  // namespace fw
