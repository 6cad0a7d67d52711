// "分身の作成": creates or removes the alter ego of the first selected item.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/maintenance/multi_image.h"

namespace qm {
class Settings;
}

namespace qm::alter_ego {

struct AlterEgoPlace {
  HWND owner = nullptr;
  std::string dbPath;
  // Its FolderPath/AlterEgo is the default base folder and takes the base
  // folder of a new alter ego (written at exit). May be null.
  Settings* settings = nullptr;
  // Fills the item list again with the cursor on the item, after each change.
  std::function<void()> refreshList;
};

void openAlterEgoDialog(const AlterEgoPlace& place, const maintenance::SetItem& item);

}  // namespace qm::alter_ego
