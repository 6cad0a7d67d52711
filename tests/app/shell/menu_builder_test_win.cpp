// The built menus read back through Windows: every popup in table order
// (although filled from its last item), with the table's labels, identifiers
// and grey state.
#include <gtest/gtest.h>

#include "app/shell/menu_builder_win.h"
#include "common/text/encoding.h"

namespace qm::shell {
namespace {

using menu::MenuId;
using menu::MenuRow;
using menu::RowKind;

void expectMatches(HMENU built, const std::vector<MenuRow>& rows, std::optional<std::size_t> parent) {
  const std::vector<std::size_t> children = menu::childrenOf(rows, parent);
  ASSERT_EQ(GetMenuItemCount(built), static_cast<int>(children.size()));
  for (int pos = 0; pos < GetMenuItemCount(built); ++pos) {
    const MenuRow& row = rows[children[pos]];
    SCOPED_TRACE(text::sjisToUtf8(row.label));
    char label[256] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
    info.dwTypeData = label;
    info.cch = sizeof label;
    ASSERT_TRUE(GetMenuItemInfoA(built, pos, TRUE, &info));
    EXPECT_EQ((info.fType & MFT_SEPARATOR) != 0, row.kind == RowKind::Separator);
    if (row.kind != RowKind::Separator) {
      EXPECT_EQ(std::string(label), row.label);
    }
    EXPECT_EQ(info.wID, row.id);
    EXPECT_EQ((info.fState & MFS_GRAYED) != 0, !menu::rowAvailable(row));
    EXPECT_EQ(info.hSubMenu != nullptr, row.kind == RowKind::Submenu);
    if (info.hSubMenu) expectMatches(info.hSubMenu, rows, children[pos]);
  }
}

TEST(MenuBuilderTest, MenusReadBackAsTheTable) {
  std::optional<MainMenus> menus = buildMainMenus();
  ASSERT_TRUE(menus);
  const auto& bar = menu::menuRows(MenuId::Bar);
  expectMatches(menus->bar.get(), bar, std::nullopt);

  const std::vector<std::size_t> barMenus = menu::childrenOf(bar, std::nullopt);
  for (std::size_t i = 0; i < menus->barCopies.size(); ++i) expectMatches(menus->barCopies[i].get(), bar, barMenus[i]);
  EXPECT_NE(menus->copyOf(menu::BarMenu::Edit), GetSubMenu(menus->bar.get(), 1));

  expectMatches(menus->queryView.get(), menu::menuRows(MenuId::QueryView), std::nullopt);
  expectMatches(menus->columnHeader.get(), menu::menuRows(MenuId::ColumnHeader), std::nullopt);
  expectMatches(menus->snapshotView.get(), menu::menuRows(MenuId::SnapshotView), std::nullopt);
  EXPECT_EQ(GetMenuItemCount(menus->informationView.get()), 0);
}

}  // namespace
}  // namespace qm::shell
