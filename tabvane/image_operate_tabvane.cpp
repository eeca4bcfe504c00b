#include "tabvane/image_operate_tabvane.h"

#include "tabvane/operate_panel.h"

CImageOperateTabvane::CImageOperateTabvane() : panel_(new OperatePanel) {}

CImageOperateTabvane::~CImageOperateTabvane() { delete panel_; }

BOOL CImageOperateTabvane::Create(HWND parent, const RECT& rect) { return panel_->Create(parent, rect) ? TRUE : FALSE; }

void CImageOperateTabvane::Init() {
  if (panel_->IsWindow()) panel_->Init();
}

void CImageOperateTabvane::SetImageFilePath(const fw::CString& path) { panel_->SetImageFilePath(path.Str()); }
