// The resources built into vartolik.exe, read from the program file itself, and the dialog
// procedures run on the real dialog templates.
#include <gtest/gtest.h>

#include <string>

#include "app/dialogs_win.h"
#include "base/session_state.h"
#include "res/resource.h"

namespace {

// The program beside the tests: ..\dist\vartolik.exe from this test program's folder.
HMODULE program() {
  static HMODULE module = [] {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p(path);
    p = p.substr(0, p.find_last_of("\\/"));
    p = p.substr(0, p.find_last_of("\\/")) + "\\dist\\vartolik.exe";
    return LoadLibraryExA(p.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  }();
  return module;
}

const BITMAPINFOHEADER* bitmapHeader(const char* name) {
  HRSRC r = FindResourceA(program(), name, MAKEINTRESOURCEA(2) /* RT_BITMAP */);
  return r ? static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(program(), r)))
           : nullptr;
}

TEST(Resources, BitmapsAreEightBitWithTheirSizesAndPalettes) {
  ASSERT_NE(program(), nullptr) << "dist\\vartolik.exe not found beside the tests";
  const struct {
    const char* name;
    LONG width, height;
  } cases[] = {{"MYBP", 115, 115}, {MAKEINTRESOURCEA(IDB_ABOUT), 399, 119}};
  for (const auto& c : cases) {
    const BITMAPINFOHEADER* h = bitmapHeader(c.name);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->biWidth, c.width);
    EXPECT_EQ(h->biHeight, c.height);
    EXPECT_EQ(h->biBitCount, 8);
    EXPECT_EQ(h->biClrUsed, 236u);
  }
}

#pragma pack(push, 2)
struct IconDirEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
struct IconDir {
  WORD reserved, type, count;
  IconDirEntry entries[1];
};
#pragma pack(pop)

TEST(Resources, IconHasA16ColourAndA256ColourImage) {
  ASSERT_NE(program(), nullptr);
  HRSRC r = FindResourceA(program(), "MYICON", MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */);
  ASSERT_NE(r, nullptr);
  const IconDir* dir = static_cast<const IconDir*>(LockResource(LoadResource(program(), r)));
  ASSERT_EQ(dir->count, 2);
  const IconDirEntry* e = dir->entries;
  EXPECT_EQ(e[0].width, 32);
  EXPECT_EQ(e[0].bitCount, 4);
  EXPECT_EQ(e[0].colours, 16);
  EXPECT_EQ(e[1].width, 48);
  EXPECT_EQ(e[1].bitCount, 8);
}

TEST(Resources, MenuItemsInOrderWithTheirCommandsAndGreying) {
  ASSERT_NE(program(), nullptr);
  HMENU menu = LoadMenuA(program(), "MYMENU");
  ASSERT_NE(menu, nullptr);
  // "-" is a separator, ">" a submenu; a trailing "*" marks a grayed item.
  const struct {
    int popup;
    std::string items;
  } expected[] = {
      // The grayed items must not carry F1's 201, or the accelerator would be swallowed.
      {0, "Save:200* Load:200* - Save to teacher:129 Delet/view from teacher:128"},
      {1, "Title bar:132 Status bar:200* Quantity of words:133"},
      {2, "Lemora:126 Keyboard help:121 Change language:120"},
      {3, "Search Options> Search language> - Track clipboard\tF8:211"},
      {4, "Help on dictionary:135 - Keyboard help:121 Keyboard support:124 - About program:125"},
  };
  auto describe = [](HMENU m) {
    std::string out;
    for (int i = 0; i < GetMenuItemCount(m); ++i) {
      char text[64] = {};
      GetMenuStringA(m, i, text, sizeof text, MF_BYPOSITION);
      const UINT state = GetMenuState(m, i, MF_BYPOSITION);
      if (!out.empty()) out += ' ';
      if (state & MF_SEPARATOR) {
        out += '-';
      } else if (GetSubMenu(m, i)) {
        out += std::string(text) + '>';
      } else {
        out += std::string(text) + ':' + std::to_string(GetMenuItemID(m, i));
        if (state & MF_GRAYED) out += '*';
      }
    }
    return out;
  };
  ASSERT_EQ(GetMenuItemCount(menu), 5);
  const char* titles[] = {"&File", "&View", "&Run", "&Options", "&Help"};
  for (const auto& e : expected) {
    char title[32] = {};
    GetMenuStringA(menu, e.popup, title, sizeof title, MF_BYPOSITION);
    EXPECT_STREQ(title, titles[e.popup]);
    EXPECT_EQ(describe(GetSubMenu(menu, e.popup)), e.items);
  }
  HMENU options = GetSubMenu(menu, 3);
  EXPECT_EQ(describe(GetSubMenu(options, 0)),
            "SubString:205 LeftAppend:207 RightAppend:206 Exact:208 Phonetic:209");
  EXPECT_EQ(describe(GetSubMenu(options, 1)), "Russian:123 Hindi:122 Rare hindi:200*");
  DestroyMenu(menu);
}

TEST(Resources, AcceleratorsAreF1F2AndF8) {
  ASSERT_NE(program(), nullptr);
  HACCEL table = LoadAcceleratorsA(program(), "MYMENU");
  ASSERT_NE(table, nullptr);
  ACCEL keys[4] = {};
  ASSERT_EQ(CopyAcceleratorTableA(table, keys, 4), 3);
  EXPECT_EQ(keys[0].key, VK_F1);
  EXPECT_EQ(keys[0].cmd, IDM_LANGUAGE_DIALOG);
  EXPECT_EQ(keys[1].key, VK_F2);
  EXPECT_EQ(keys[1].cmd, IDM_F2);
  EXPECT_EQ(keys[2].key, VK_F8);  // "Track clipboard", shown in the item's text
  EXPECT_EQ(keys[2].cmd, IDM_TRACK_CLIPBOARD);
  for (const ACCEL& key : keys) EXPECT_TRUE(key.fVirt & FVIRTKEY || key.key == 0);
  DestroyAcceleratorTable(table);
}

// The dialogs are made from the program's templates, owned by no window.
class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(program(), nullptr);
    session.appInstance = program();
    session.mainWindow = nullptr;
    savedMatch_ = session.matchMode;
    savedLanguage_ = session.searchLanguage;
  }
  void TearDown() override {
    session.matchMode = savedMatch_;
    session.searchLanguage = savedLanguage_;
    session.modelessDialog = nullptr;
  }
  int savedMatch_ = 0, savedLanguage_ = 0;
};

TEST_F(DialogTest, SearchOptionsShowAndSetTheMatchMode) {
  for (int mode = 0; mode <= 4; ++mode) {
    session.matchMode = mode;
    HWND dialog = openModelessDialog("SEAR");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(session.modelessDialog, dialog);
    char caption[64] = {};
    GetWindowTextA(dialog, caption, sizeof caption);
    EXPECT_STREQ(caption, "Search options");
    for (int id = IDM_SUBSTRING; id <= IDM_PHONETIC; ++id)
      EXPECT_EQ(IsDlgButtonChecked(dialog, id) == BST_CHECKED, id == IDM_SUBSTRING + mode)
          << "mode " << mode << " button " << id;
    // A click on "Exact" sets the mode at once; "Ok" only closes.
    SendMessageA(GetDlgItem(dialog, IDM_EXACT), BM_CLICK, 0, 0);
    EXPECT_EQ(session.matchMode, 3);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDM_SUBSTRING + mode), mode == 3 ? BST_CHECKED : 0);
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(session.matchMode, 3);
  }
}

TEST_F(DialogTest, LanguageDialogButtonsSetTheLanguage) {
  const struct {
    int button, before, after;
  } cases[] = {{IDC_LANG_HINDI, 0, 1},
               {IDC_LANG_RUSSIAN, 1, 0},
               {IDCANCEL, 1, 1},
               {IDCANCEL, 0, 0},
               {IDC_LANG_HINDI, 1, 1}};
  for (const auto& c : cases) {
    session.searchLanguage = c.before;
    HWND dialog = CreateDialogParamA(program(), "LANG", nullptr, languageDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(languageDialogProc(dialog, WM_COMMAND, c.button, 0), TRUE) << c.button;
    EXPECT_FALSE(IsWindowVisible(dialog)) << "button " << c.button << " ends the dialog";
    EXPECT_EQ(session.searchLanguage, c.after) << "button " << c.button;
    DestroyWindow(dialog);
  }
  // Anything else is left to the dialog manager: the dialog stays and the language too.
  session.searchLanguage = 1;
  HWND dialog = CreateDialogParamA(program(), "LANG", nullptr, languageDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(languageDialogProc(dialog, WM_COMMAND, IDC_LANG_TEXT, 0), FALSE);
  EXPECT_EQ(languageDialogProc(dialog, WM_INITDIALOG, 0, 0), FALSE);
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_EQ(session.searchLanguage, 1);
  DestroyWindow(dialog);
}

TEST_F(DialogTest, EveryTemplateOpensWithItsCaption) {
  const struct {
    const char* name;
    const char* caption;
    int control;
  } cases[] = {{"SEAR", "Search options", IDM_PHONETIC},
               {"LANG", "Choose language to search in", IDC_LANG_HINDI},
               {"KEYB", "Hindi Keyboard Support", IDCANCEL},
               {"ABT", "About Program", IDC_ABOUT_OK}};
  for (const auto& c : cases) {
    HWND dialog = openModelessDialog(c.name);
    ASSERT_NE(dialog, nullptr) << c.name;
    char caption[64] = {};
    GetWindowTextA(dialog, caption, sizeof caption);
    EXPECT_STREQ(caption, c.caption);
    EXPECT_NE(GetDlgItem(dialog, c.control), nullptr) << c.name;
    EXPECT_TRUE(IsWindowVisible(dialog)) << c.name;
    DestroyWindow(dialog);
  }
  // The About picture is the 399 x 119 bitmap.
  HWND about = openModelessDialog("ABT");
  HBITMAP picture = reinterpret_cast<HBITMAP>(
      SendDlgItemMessageA(about, IDC_ABOUT_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0));
  BITMAP info = {};
  ASSERT_NE(picture, nullptr);
  GetObjectA(picture, sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 399);
  EXPECT_EQ(info.bmHeight, 119);
  // Its "Ok" ends it for good: no hidden window is left behind per opening.
  SendMessageA(about, WM_COMMAND, IDC_ABOUT_OK, 0);
  EXPECT_FALSE(IsWindow(about));
}

}  // namespace
