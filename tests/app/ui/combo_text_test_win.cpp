// A combo box's entry texts as the dialogs read them: Shift-JIS entries of
// any length back byte for byte, "" for no selection and for an index the box
// does not have.
#include "app/ui/combo_text_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <type_traits>

#include "common/text/encoding.h"

namespace qm::ui {
namespace {

struct WindowDeleter {
  void operator()(HWND window) const { DestroyWindow(window); }
};

TEST(ComboText, EntriesSelectionAndIndicesOutside) {
  const std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter> combo(
      CreateWindowExA(0, "COMBOBOX", "", CBS_DROPDOWNLIST, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr));
  ASSERT_TRUE(combo);
  const std::string entries[] = {text::sjis("指定なし"), "", std::string(300, 'x') + text::sjis("表")};
  for (const std::string& entry : entries)
    SendMessageA(combo.get(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));

  for (int i = 0; i < 3; ++i) EXPECT_EQ(comboItemText(combo.get(), i), entries[i]) << i;
  for (int outside : {-1, 3, 1000}) EXPECT_EQ(comboItemText(combo.get(), outside), "") << outside;

  EXPECT_EQ(comboSelectedText(combo.get()), "");
  SendMessageA(combo.get(), CB_SETCURSEL, 2, 0);
  EXPECT_EQ(comboSelectedText(combo.get()), entries[2]);
  SendMessageA(combo.get(), CB_SETCURSEL, 0, 0);
  EXPECT_EQ(comboSelectedText(combo.get()), entries[0]);
}

}  // namespace
}  // namespace qm::ui
