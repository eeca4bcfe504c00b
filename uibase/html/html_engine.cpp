#include "uibase/html/html_engine.h"

#include "common/gbk_text.h"

namespace mb::html {

HtmlEngine::HtmlEngine(ResourceSource& resources, const SystemColours& system)
    : resources_(resources),
      names_(system),
      defaultDisabled_(system ? system(kSysButtonShadow) : 0),
      disabledColour_(defaultDisabled_) {}

LayoutSize HtmlEngine::Prepare(TextMeasure& measure, std::string_view text) {
  text_ = PrepareText(text, keepLineStructure_);
  tokens_ = Tokenise(text_);
  ValueReader values(measure, names_);
  values.SetDisabled(!enabled_, disabledColour_);
  HtmlLayout layout(measure, resources_, sheet_, values);
  settings_.hoveredLink = hovered_;
  LayoutSize size = layout.Measure(tokens_, settings_, animations_);
  if (size.width == 0 && size.height == 0) {
    text_.clear();
    tokens_.clear();
  }
  if (settings_.wrapWidth > 0 && size.width > settings_.wrapWidth) size.width = settings_.wrapWidth;
  size.width += 1;
  size.height += 1;
  return size;
}

std::vector<DrawItem> HtmlEngine::Draw(TextMeasure& measure, const Rect& rect) {
  if (tokens_.empty()) {
    hotAreas_.clear();
    return {};
  }
  ValueReader values(measure, names_);
  values.SetDisabled(!enabled_, disabledColour_);
  HtmlLayout layout(measure, resources_, sheet_, values);
  settings_.hoveredLink = hovered_;
  return layout.Draw(tokens_, settings_, rect, animations_, hotAreas_);
}

const HotArea* HtmlEngine::AreaAt(Point point) const {
  for (const HotArea& area : hotAreas_) {
    if (Contains(area.rect, point)) return &area;
  }
  return nullptr;
}

bool HtmlEngine::MouseOver(Point point) {
  const HotArea* area = AreaAt(point);
  if (!area) {
    if (hovered_ != kNoLink) {
      hovered_ = kNoLink;
      if (actions_) actions_->HoverChanged(kNoLink);
    }
    return false;
  }
  if (area->link != hovered_) {
    hovered_ = area->link;
    const std::string target = area->target;  // the notice may repaint and rebuild the areas
    if (actions_) actions_->HoverChanged(hovered_);
    return !target.empty() && actions_ && actions_->ShowHandCursor();
  }
  return !area->target.empty() && actions_ && actions_->ShowHandCursor();
}

void HtmlEngine::Click(Point point) {
  const HotArea* area = AreaAt(point);
  if (!area || area->target.empty() || !actions_) return;
  const HotArea hit = *area;
  if (hit.kind == LinkKind::kUrl) actions_->OpenUrl(hit.target);
  else actions_->SendLinkMessage(hit.target);
}

bool HtmlEngine::Tick() {
  bool changed = false;
  for (Animation& a : animations_) {
    if (a.frameCount <= 0) continue;
    if (++a.tick >= a.ticksPerFrame) {
      a.tick = 0;
      a.frame = a.frame + 1 >= a.frameCount ? 0 : a.frame + 1;
      changed = true;
    }
  }
  return changed;
}

std::string OpenCommandFor(std::string_view registered, std::string_view target) {
  std::size_t cut = GbkFind(registered, "\"%1\"");
  if (cut == std::string_view::npos) cut = GbkFind(registered, "%1");
  std::string command(registered.substr(0, cut == std::string_view::npos ? registered.size() : cut));
  while (!command.empty() && command.back() == ' ') command.pop_back();
  command += " \"";
  command += GbkReplaceAll(target, "\"", "%22");
  command += '"';
  return command;
}

}  // namespace mb::html
