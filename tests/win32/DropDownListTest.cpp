// The drop-down list: its entries, the selected index rules and the closed box's height.
#include "shell/controls/DropDownList.h"

#include <gtest/gtest.h>

#include "shell/framework/Application.h"
#include "shell/framework/Form.h"

namespace {

class DropDownListTest : public ::testing::Test {
 protected:
  DropDownListTest() : form(*app.CreateForm<TForm>()) {
    form.SetBounds(100, 100, 566, 417);
    list.SetBounds(324, 40, 100, 21);
    list.SetItems({"TCP/IP Server", "Server Socket"});
  }

  TApplication app;
  TForm& form;
  TDropDownList list{&form};
};

TEST_F(DropDownListTest, IsAListThatCannotBeEdited) {
  EXPECT_EQ(GetWindowLongPtrW(list.Handle(), GWL_STYLE) & 3, CBS_DROPDOWNLIST);
  EXPECT_EQ(list.ItemIndex(), -1);
  list.SetItemIndex(0);
  EXPECT_EQ(list.Text(), "TCP/IP Server");
}

TEST_F(DropDownListTest, AnIndexOutsideTheEntriesSelectsNothing) {
  const struct {
    int set;
    int read;
  } cases[] = {{1, 1}, {0, 0}, {2, -1}, {1, 1}, {-1, -1}, {-5, -1}, {1000, -1}};
  for (const auto& c : cases) {
    list.SetItemIndex(c.set);
    EXPECT_EQ(list.ItemIndex(), c.read) << c.set;
  }
  list.SetItemIndex(1);
  list.SetItems({"one"});
  EXPECT_EQ(list.ItemIndex(), -1);
}

TEST_F(DropDownListTest, TheClosedBoxTakesTheFieldHeight) {
  list.SetFieldHeight(23);
  EXPECT_EQ(list.FieldHeight(), 23);
  EXPECT_EQ(list.Height(), 23);
  RECT closed;
  GetWindowRect(list.Handle(), &closed);
  EXPECT_EQ(closed.bottom - closed.top, 23);
  EXPECT_EQ(closed.right - closed.left, 100);
  // The dropped list is high enough for both entries.
  RECT dropped;
  SendMessageW(list.Handle(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
  const auto item = static_cast<int>(SendMessageW(list.Handle(), CB_GETITEMHEIGHT, 0, 0));
  EXPECT_GE(dropped.bottom - dropped.top, 2 * item);
}

}  // namespace
