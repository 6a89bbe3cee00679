// The real message dialog under Wine, driven through dialog_driver.exe and read from outside.
#include <gtest/gtest.h>

#include <sstream>

#include "EroriULayout.h"
#include "harness.h"

namespace tvtest {
namespace {

struct Dialog {
  HWND form = nullptr;
  HWND label1 = nullptr, eroText = nullptr;
  HWND be[5] = {};
  explicit Dialog(HWND window) : form(window) {
    label1 = ::GetDlgItem(form, tv::kEroriLabel1Id);
    eroText = ::GetDlgItem(form, tv::kEroriEroTextId);
    be[1] = ::GetDlgItem(form, tv::kEroriBE1Id);
    be[2] = ::GetDlgItem(form, tv::kEroriBE2Id);
    be[3] = ::GetDlgItem(form, tv::kEroriBE3Id);
    be[4] = ::GetDlgItem(form, tv::kEroriBE4Id);
  }
  GUITHREADINFO ThreadInfo() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(form, nullptr), &info);
    return info;
  }
  HWND Focus() const { return ThreadInfo().hwndFocus; }
  // Wine hears of focus changes from the X server, late when the machine is busy: a focus-out
  // left over from an earlier showing can take activation from the dialog after it came up.
  // Before typing, the test does what the user would: brings the dialog forward if it has lost
  // activation, and waits until it is active for a moment.
  void Engage() const {
    const auto active = [&] { return ThreadInfo().hwndActive == form; };
    for (int attempt = 0; attempt < 5; ++attempt) {
      if (Eventually(active, 1000) && Stays(active, 200))
        return;
      ::SetForegroundWindow(form);
    }
    ADD_FAILURE() << "the dialog does not stay active";
  }
  // Keys go where the user's would: to the focused control of the active dialog.
  void Key(UINT message, WPARAM key, LPARAM flags = 0) const {
    Engage();
    ::PostMessageW(Focus(), message, key, flags);
  }
};

// The driver with its calls; each call is "kind|buttons|title|text".
class DialogRun {
 public:
  explicit DialogRun(const std::vector<std::wstring>& calls) {
    LaunchOptions options;
    options.arguments = L"\"" + results_.wstring() + L"\"";
    for (const std::wstring& call : calls) {
      options.arguments += L" \"" + call + L"\"";
    }
    process_ = std::make_unique<Process>(BuildFolder() / L"dialog_driver.exe", options);
  }
  Process& process() { return *process_; }

  // The dialog of the next showing, on screen and painted.
  Dialog WaitForDialog() {
    HWND form = nullptr;
    EXPECT_TRUE(Eventually([&] {
      form = FindProcessWindow(process_->Id(), L"TErori", true);
      if (form == nullptr)
        return false;
      const Capture capture(form);
      return Near(capture.At(4, 124), RGB(239, 239, 239), 0);
    })) << "the dialog did not come up";
    process_->WaitIdle();
    return Dialog(form);
  }
  HWND MainWindow() const { return FindProcessWindow(process_->Id(), L"DialogDriverMain", false); }

  // "<result> <beeps>" for each call answered so far, once `count` are there.
  std::vector<std::string> Results(size_t count) const {
    std::vector<std::string> lines;
    Eventually([&] {
      lines.clear();
      std::istringstream in(ReadBytes(results_));
      for (std::string line; std::getline(in, line);)
        lines.push_back(line);
      return lines.size() >= count;
    });
    return lines;
  }

 private:
  TempFolder folder_{L"dialog"};
  fs::path results_ = folder_ / L"results.txt";
  std::unique_ptr<Process> process_;
};

struct KindCase {
  int kind;
  const wchar_t* caption;
  const wchar_t* picture;  // the bitmap file the picture comes from
  COLORREF from, to;       // right and left ends of the strips
  int beeps;
};

void PrintTo(const KindCase& c, std::ostream* out) {
  *out << "kind " << c.kind;
}

class DialogKindTest : public testing::TestWithParam<KindCase> {};

TEST_P(DialogKindTest, CaptionPictureStripsAndBeep) {
  const KindCase& k = GetParam();
  DialogRun run({std::to_wstring(k.kind) + L"|12|Actualizare Talvorinte| Inchideti mai intai!"});
  const Dialog dialog = run.WaitForDialog();
  ASSERT_NE(dialog.form, nullptr);
  EXPECT_EQ(WindowText(dialog.form), k.caption);
  EXPECT_EQ(WindowText(dialog.label1), L"Actualizare Talvorinte");
  EXPECT_EQ(WindowText(dialog.eroText), L" Inchideti mai intai!");

  const Capture capture(dialog.form);
  // Both strips run from ColorTo at the left to ColorFrom at the right.
  for (int y : {2, 46, 131}) {
    EXPECT_TRUE(Near(capture.At(1, y), k.to, 0)) << "left end at y=" << y;
    EXPECT_TRUE(Near(capture.At(337, y), k.from, 0)) << "right end at y=" << y;
  }
  // Image1 shows the kind's picture, pixel for pixel.
  const std::string bmp = ReadBytes(BuildFolder() / k.picture);
  ASSERT_EQ(bmp.size(), 54u + 32 * 32 * 3);
  int differing = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const size_t at = 54 + static_cast<size_t>((31 - y) * 32 + x) * 3;
      const COLORREF expected =
          RGB(static_cast<uint8_t>(bmp[at + 2]), static_cast<uint8_t>(bmp[at + 1]),
              static_cast<uint8_t>(bmp[at]));
      differing += Near(capture.At(8 + x, 8 + y), expected, 0) ? 0 : 1;
    }
  }
  EXPECT_EQ(differing, 0);

  dialog.Key(WM_KEYDOWN, VK_ESCAPE);
  EXPECT_EQ(run.Results(1), std::vector<std::string>{"2 " + std::to_string(k.beeps)});
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DialogKindTest,
    testing::Values(
        KindCase{0, L"Atentie !", L"warning.bmp", RGB(183, 177, 138), RGB(56, 54, 35), 0},
        KindCase{1, L"Eroare", L"error.bmp", RGB(255, 213, 213), RGB(255, 0, 0), 1},
        KindCase{2, L"Informatie", L"information.bmp", RGB(225, 222, 250), RGB(0, 0, 187), 0},
        KindCase{3, L"Confirmare", L"confirmation.bmp", RGB(129, 162, 211), RGB(54, 95, 156), 0},
        KindCase{4, L"Eroare", L"error.bmp", RGB(255, 213, 213), RGB(255, 0, 0), 1},
        KindCase{255, L"Eroare", L"error.bmp", RGB(255, 213, 213), RGB(255, 0, 0), 1}));

struct RowCase {
  int buttons;
  std::vector<int> lefts;  // left edge of BE1..BE4, -1 when hidden
};

void PrintTo(const RowCase& c, std::ostream* out) {
  *out << "buttons " << c.buttons;
}

class DialogRowTest : public testing::TestWithParam<RowCase> {};

TEST_P(DialogRowTest, ShowsTheChosenButtonsSpreadInOneRow) {
  const RowCase& row = GetParam();
  DialogRun run({L"0|" + std::to_wstring(row.buttons) + L"|Titlu|Text"});
  const Dialog dialog = run.WaitForDialog();
  ASSERT_NE(dialog.form, nullptr);
  int last = 0;
  for (int i = 1; i <= 4; ++i) {
    const bool shown = row.lefts[i - 1] >= 0;
    EXPECT_EQ(IsVisible(dialog.be[i]), shown) << "BE" << i;
    if (shown) {
      const RECT rect = RectInParent(dialog.be[i]);
      EXPECT_EQ(rect.left, row.lefts[i - 1]) << "BE" << i;
      EXPECT_EQ(rect.top, 138);
      EXPECT_EQ(rect.right - rect.left, 72);
      EXPECT_EQ(rect.bottom - rect.top, 25);
      last = i;
    }
  }
  EXPECT_EQ(WindowText(dialog.be[1]), L"&Da");
  EXPECT_EQ(WindowText(dialog.be[2]), L"&Nu");
  EXPECT_EQ(WindowText(dialog.be[3]), L"&Renunt");
  EXPECT_EQ(WindowText(dialog.be[4]), L"&OK");
  ::SendMessageW(dialog.be[last], BM_CLICK, 0, 0);
  const int results[] = {0, 6, 7, 2, 1};
  EXPECT_EQ(run.Results(1), std::vector<std::string>{std::to_string(results[last]) + " 0"});
}

INSTANTIATE_TEST_SUITE_P(Rows, DialogRowTest,
                         testing::Values(RowCase{3, {65, 203, -1, -1}},
                                         RowCase{4, {-1, -1, -1, 134}},
                                         RowCase{12, {-1, -1, 65, 203}},
                                         RowCase{15, {10, 93, 176, 259}},
                                         // Bits above the fourth are ignored.
                                         RowCase{0xFFFD, {30, -1, 133, 236}}));

TEST(Dialog, WithoutButtonsItReturnsCancelAtOnceAndStillBeepsForErrors) {
  DialogRun run({L"1|0|Titlu|Text", L"0|16|Titlu|Text", L"255|240|Titlu|Text", L"2|0|a|b"});
  EXPECT_EQ(run.Results(4), std::vector<std::string>({"2 1", "2 0", "2 1", "2 0"}));
  EXPECT_EQ(FindProcessWindow(run.process().Id(), L"TErori", true), nullptr);
}

struct AnswerCase {
  const char* name;
  int buttons;
  std::function<void(const Dialog&)> answer;
  const char* result;
};

void PrintTo(const AnswerCase& c, std::ostream* out) {
  *out << c.name;
}

class DialogAnswerTest : public testing::TestWithParam<AnswerCase> {};

TEST_P(DialogAnswerTest, GivesTheModalResult) {
  DialogRun run({L"0|" + std::to_wstring(GetParam().buttons) + L"|Titlu|Text"});
  const Dialog dialog = run.WaitForDialog();
  ASSERT_NE(dialog.form, nullptr);
  GetParam().answer(dialog);
  EXPECT_EQ(run.Results(1), std::vector<std::string>{GetParam().result});
}

INSTANTIATE_TEST_SUITE_P(
    Answers, DialogAnswerTest,
    testing::Values(
        AnswerCase{"ClickOk", 12, [](const Dialog& d) { ::SendMessageW(d.be[4], BM_CLICK, 0, 0); },
                   "1 0"},
        AnswerCase{"ClickRenunt", 12,
                   [](const Dialog& d) { ::SendMessageW(d.be[3], BM_CLICK, 0, 0); }, "2 0"},
        // With OK and Cancel the first showing focuses "&Renunt", so Enter answers Cancel.
        AnswerCase{"EnterOnTheFocusedButton", 12,
                   [](const Dialog& d) { d.Key(WM_KEYDOWN, VK_RETURN); }, "2 0"},
        AnswerCase{"SpaceOnTheFocusedButton", 3,
                   [](const Dialog& d) {
                     d.Key(WM_KEYDOWN, VK_SPACE);
                     d.Key(WM_KEYUP, VK_SPACE, 0xC0000000);
                   },
                   "6 0"},
        AnswerCase{"AcceleratorO", 12, [](const Dialog& d) { d.Key(WM_CHAR, 'o'); }, "1 0"},
        AnswerCase{"AltR", 12, [](const Dialog& d) { d.Key(WM_SYSCHAR, 'r', 0x20000000); }, "2 0"},
        AnswerCase{"AcceleratorN", 3, [](const Dialog& d) { d.Key(WM_CHAR, 'N'); }, "7 0"},
        AnswerCase{"AltD", 3, [](const Dialog& d) { d.Key(WM_SYSCHAR, 'd', 0x20000000); }, "6 0"},
        // A hidden button cannot be activated: "D" does nothing while Da is hidden, then OK.
        AnswerCase{"HiddenButtonsAcceleratorDoesNothing", 12,
                   [](const Dialog& d) {
                     d.Key(WM_CHAR, 'd');
                     d.Key(WM_SYSCHAR, 'n', 0x20000000);
                     d.Key(WM_CHAR, 'o');
                   },
                   "1 0"},
        AnswerCase{"Escape", 3, [](const Dialog& d) { d.Key(WM_KEYDOWN, VK_ESCAPE); }, "2 0"},
        AnswerCase{"ShiftEscape", 4,
                   [](const Dialog& d) {
                     d.Key(WM_KEYDOWN, VK_SHIFT);
                     d.Key(WM_KEYDOWN, VK_ESCAPE);
                   },
                   "2 0"},
        AnswerCase{"CloseBox", 3,
                   [](const Dialog& d) { ::PostMessageW(d.form, WM_SYSCOMMAND, SC_CLOSE, 0); },
                   "2 0"},
        AnswerCase{"WmClose", 15, [](const Dialog& d) { ::PostMessageW(d.form, WM_CLOSE, 0, 0); },
                   "2 0"},
        AnswerCase{"AltF4", 12, [](const Dialog& d) { d.Key(WM_SYSKEYDOWN, VK_F4, 0x20000000); },
                   "2 0"}),
    [](const testing::TestParamInfo<AnswerCase>& info) { return std::string(info.param.name); });

TEST(Dialog, FocusStaysWhereTheUserLeftItAcrossShowings) {
  DialogRun run({L"0|12|Unu|Text", L"0|12|Doi|Text"});
  const Dialog first = run.WaitForDialog();
  ASSERT_NE(first.form, nullptr);
  first.Engage();
  EXPECT_EQ(first.Focus(), first.be[3]);  // "&Renunt", first visible in tab order
  first.Key(WM_KEYDOWN, VK_TAB);
  EXPECT_TRUE(Eventually([&] { return first.Focus() == first.be[4]; }));
  first.Key(WM_KEYDOWN, VK_ESCAPE);
  ASSERT_EQ(run.Results(1).size(), 1u);

  const Dialog second = run.WaitForDialog();
  ASSERT_NE(second.form, nullptr);
  EXPECT_EQ(WindowText(second.label1), L"Doi");
  second.Engage();
  EXPECT_TRUE(Eventually([&] { return second.Focus() == second.be[4]; }))
      << "focus on control " << ::GetDlgCtrlID(second.Focus());
  second.Key(WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(run.Results(2), std::vector<std::string>({"2 0", "1 0"}));
}

TEST(Dialog, CentredTheFirstTimeThenKeepsItsPosition) {
  DialogRun run({L"0|4|Unu|Text", L"2|4|Doi|Text"});
  const Dialog first = run.WaitForDialog();
  ASSERT_NE(first.form, nullptr);
  RECT outer;
  ::GetWindowRect(first.form, &outer);
  EXPECT_EQ(outer.left, (::GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);
  EXPECT_EQ(outer.top, (::GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2);
  ::SetWindowPos(first.form, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  first.Key(WM_KEYDOWN, VK_ESCAPE);
  ASSERT_EQ(run.Results(1).size(), 1u);
  const Dialog second = run.WaitForDialog();
  ASSERT_NE(second.form, nullptr);
  ::GetWindowRect(second.form, &outer);
  EXPECT_EQ(outer.left, 40);
  EXPECT_EQ(outer.top, 30);
  second.Key(WM_KEYDOWN, VK_ESCAPE);
  EXPECT_EQ(run.Results(2).size(), 2u);
}

TEST(Dialog, WindowAndTextLayout) {
  const std::wstring longTitle(60, L'W');
  std::wstring longText;
  for (int i = 0; i < 40; ++i)
    longText += L"cuvant" + std::to_wstring(i) + L" ";
  DialogRun run({L"0|12|" + longTitle + L"|" + longText});
  const Dialog dialog = run.WaitForDialog();
  ASSERT_NE(dialog.form, nullptr);
  RECT client;
  ::GetClientRect(dialog.form, &client);
  EXPECT_EQ(client.right, 339);
  EXPECT_EQ(client.bottom, 171);
  const LONG style = ::GetWindowLongW(dialog.form, GWL_STYLE);
  EXPECT_NE(style & WS_SYSMENU, 0);
  EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
  EXPECT_NE(::GetWindowLongW(dialog.form, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  // The text keeps its fixed area (what does not fit is cut); the title stays one line that
  // runs past the window's edge.
  const RECT text = RectInParent(dialog.eroText);
  EXPECT_EQ(text.left, 8);
  EXPECT_EQ(text.top, 56);
  EXPECT_EQ(text.right, 329);
  EXPECT_EQ(text.bottom, 121);
  const RECT title = RectInParent(dialog.label1);
  EXPECT_EQ(title.left, 48);
  EXPECT_EQ(title.top, 16);
  EXPECT_GT(title.right, 339);
  const Capture capture(dialog.form);
  EXPECT_TRUE(Near(capture.At(4, 124), RGB(239, 239, 239), 0));  // the background below the text
  EXPECT_TRUE(capture.Any(RECT{8, 56, 329, 121}, IsDark));       // the text is drawn
  dialog.Key(WM_KEYDOWN, VK_ESCAPE);
  EXPECT_EQ(run.Results(1).size(), 1u);
}

TEST(Dialog, OtherWindowsTakeNoInputWhileMessagesGoOnBeingDispatched) {
  DialogRun run({L"0|12|Unu|Text"});
  const Dialog dialog = run.WaitForDialog();
  ASSERT_NE(dialog.form, nullptr);
  const HWND main = run.MainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_FALSE(::IsWindowEnabled(main));
  ::PostMessageW(main, WM_APP + 5, 0, 0);
  EXPECT_TRUE(Eventually([&] { return WindowText(main) == L"pinged"; }));
  // A second call while the dialog is up returns 2 at once and leaves the showing as it was.
  ::PostMessageW(main, WM_APP + 6, 0, 0);
  EXPECT_TRUE(Eventually([&] { return WindowText(main) == L"nested=2"; }));
  EXPECT_TRUE(::IsWindowVisible(dialog.form));
  EXPECT_EQ(WindowText(dialog.label1), L"Unu");
  EXPECT_TRUE(IsVisible(dialog.be[3]));
  ::SendMessageW(dialog.be[4], BM_CLICK, 0, 0);
  EXPECT_EQ(run.Results(1), std::vector<std::string>{"1 0"});
  EXPECT_TRUE(Eventually([&] { return ::IsWindowEnabled(main) != FALSE; }));
}

}  // namespace
}  // namespace tvtest
