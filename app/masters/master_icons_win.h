// The icon lists of the four master kinds, which the item list, the tree and
// the management dialog draw from: for each kind a 32 x 32 and a 16 x 16 list,
// 32-bit colour with mask (black is transparent); position 0 the default icon,
// position n the icon of the entry numbered n.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <string>
#include <vector>

#include "app/masters/master_kind.h"
#include "app/masters/master_tables.h"
#include "app/ui/win_handles_win.h"
#include "common/db/db_connection.h"
#include "common/platform/message_sink.h"

namespace qm::master {

enum class IconSize { Large = 32, Small = 16 };

class IconLists {
public:
  // Destroys the kind's two lists and makes them anew from the database; a
  // failed query is reported and leaves them with the default icon only.
  void rebuild(db::DbConnection& db, Kind kind, platform::MessageSink& sink);
  void rebuildAll(db::DbConnection& db, platform::MessageSink& sink);

  // Null until the kind is built. The lists stay owned here: a control
  // showing one needs LVS_SHAREIMAGELISTS and must be given the new list
  // after each rebuild.
  HIMAGELIST list(Kind kind, IconSize size) const;
  // What the lists hold, position by position (empty until built).
  const std::vector<IconSlot>& slots(Kind kind) const;

private:
  struct Lists {
    ui::OwnedImageList large;
    ui::OwnedImageList small;
    std::vector<IconSlot> slots;
  };
  std::array<Lists, std::size(kAllKinds)> lists_;
};

// A new empty list of the kind's format.
ui::OwnedImageList makeIconList(IconSize size, int room);
// Adds the icon of a bitmap path as the lists do: "" the default icon, an
// existing file its bitmap scaled to the size, a missing or unreadable one
// the missing-icon bitmap. Returns the new position.
int addIcon(HIMAGELIST list, IconSize size, const std::string& path);

}  // namespace qm::master
