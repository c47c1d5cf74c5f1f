#include "view/menus.h"

#include <algorithm>
#include <utility>

namespace toq::view {

namespace {

using Kind = MenuItem::Kind;

// An item with its place: section, then order within the section.
struct Placed {
  int section = 0;
  int order = 0;
  MenuItem item;
};

// The items by place (equal places keep their order), with a separator between sections.
std::vector<MenuItem> layOut(std::vector<Placed> placed) {
  std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
    return std::pair(a.section, a.order) < std::pair(b.section, b.order);
  });
  std::vector<MenuItem> items;
  for (std::size_t i = 0; i < placed.size(); ++i) {
    if (i > 0 && placed[i].section != placed[i - 1].section) items.push_back({});
    items.push_back(placed[i].item);
  }
  return items;
}

}  // namespace

std::vector<MenuItem> menuItems(Menu menu) {
  std::vector<Placed> placed;
  if (menu == Menu::None) return {};
  const auto entries = commandTable();
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (entries[i].menu == menu)
      placed.push_back({entries[i].section,
                        static_cast<int>(i),
                        {Kind::Command, entries[i].command, entries[i].text}});
  // The recent files open their section, before its first entry.
  for (const MenuTitle& title : menuBar())
    if (title.menu == menu && title.recentFilesBefore >= 0)
      placed.push_back({title.recentFilesBefore, -1, {Kind::RecentFiles}});
  return layOut(std::move(placed));
}

std::vector<MenuItem> toolBarItems() {
  std::vector<Placed> placed;
  for (const CommandEntry& entry : commandTable())
    if (entry.tool.shown())
      placed.push_back(
          {entry.tool.section, entry.tool.order, {Kind::Command, entry.command, entry.text}});
  return layOut(std::move(placed));
}

}  // namespace toq::view
