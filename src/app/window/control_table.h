#pragma once
// The main window's definition: its own properties and its twenty-one controls, as data.
// The window is built from this table (main_window.cpp); nothing else places a control.
//
// Each row is one control, in the definition's order. Within a container the rows are stacked
// in this order, the first on top. Places are in the container's coordinates: a control of the
// window itself is placed in the client area, one inside a group box relative to the group
// box's top-left corner. Texts are UTF-8.

#include <array>
#include <optional>
#include <string_view>

#include "app/window/gradient.h"

namespace veyla::window {

inline constexpr std::string_view kWindowName = "窗口";
inline constexpr std::string_view kWindowTitle = "Veyla1.0V — 由 Veyla 开发组制作";
inline constexpr int kClientWidth = 843;
inline constexpr int kClientHeight = 527;
inline constexpr int kFirstShownX = 50;  // outer top-left corner on the screen
inline constexpr int kFirstShownY = 50;

enum class ControlKind {
  Label,           // one line, left-aligned, centred vertically, window background
  StatusLine,      // a label with its own colours, a thin black line and a 14-pixel Song font
  HelpText,        // a label over the silver-pink-grey gradient, framed, text wrapped
  MultiLineEdit,   // framed, both scroll bars, no wrapping, Enter starts a line
  LineEdit,        // single line, sunken
  MaskedLineEdit,  // single line, sunken, every character shown as "*"
  PushButton,      // caption centred, wrapped onto two lines when too wide; never default
  GroupBox,        // etched frame without a title; a container only
  PictureBox,      // framed, window background, shows a picture fitted into its inner area
  FileDialog,      // the file-open dialog: no widget of its own until it is opened
};

struct ControlColours {
  Rgb text;
  std::optional<Rgb> background;  // nullopt: the control draws its own background
};

struct ControlDefinition {
  std::string_view name;  // the Qt object name
  ControlKind kind;
  std::string_view container;  // kWindowName or a group box's name
  int x = 0;                   // place in the container
  int y = 0;
  int width = 0;
  int height = 0;
  std::string_view text;  // initial text or caption
  bool visible = true;
  std::optional<ControlColours> colours;  // nullopt: the platform's colours
};

// The help text's first line credits the makers; the rest is the program's usage guide.
inline constexpr std::string_view kHelpText =
    "Veyla 开发组 · 联系：veyla@example.org\r\n"
    "1、Veyla1.0版本目前只支持JPG格式的图片；\r\n2、加密图片：\r\n   1）选择图片\r\n"
    "   2）输入Veyla\r\n   3）如果需要请设置密码\r\n"
    "     最后点击“将图片进行Veyla加密”就可以将你要说的话隐藏在图片中。\r\n\r\n"
    "3、读取Veyla：\r\n   1）选择图片，确认提示栏为有Veyla的图片\r\n   2）如果有密码请输入密码\r\n"
    "   3）点击“解密Veyla”就可以看到隐藏的Veyla\r\n\r\n";

inline constexpr ControlColours kRevealedMessageColours{{255, 0, 0}, Rgb{255, 168, 255}};
inline constexpr ControlColours kStatusLineColours{{88, 48, 224}, Rgb{236, 236, 236}};
inline constexpr ControlColours kHelpTextColours{{0, 128, 128}, std::nullopt};

// clang-format off
inline constexpr std::array<ControlDefinition, 21> kControls{{
    // name          kind                          container    x    y    w    h   text
    {"标签7",        ControlKind::HelpText,        "分组框2",   16, 280, 336, 168, kHelpText, true, kHelpTextColours},
    {"标签4",        ControlKind::Label,           "分组框2",    8,  16, 184,  24, "2、输入爱的Veyla：", true, {}},
    {"编辑框1",      ControlKind::MultiLineEdit,   "分组框2",   16,  48, 344,  80, "", true, {}},
    {"标签5",        ControlKind::Label,           "分组框2",    8, 144, 344,  24,
     "3、设置Veyla密码（不知道Veyla密码的人只能看到图片哦~）", true, {}},
    {"编辑框2",      ControlKind::LineEdit,        "分组框2",   16, 176, 344,  32, "", true, {}},
    {"按钮1",        ControlKind::PushButton,      "分组框2",  232, 232, 128,  32, "将图片进行Veyla加密", true, {}},
    {"分组框2",      ControlKind::GroupBox,        kWindowName,  8,   8, 368, 456, "", true, {}},
    {"标签6",        ControlKind::StatusLine,      kWindowName, 16, 472, 360,  32, "", true, kStatusLineColours},
    {"通用对话框1",  ControlKind::FileDialog,      "分组框1",    0,   0,   0,   0, "", false, {}},
    {"浏览按钮",     ControlKind::PushButton,      "分组框1",  285,  32,  67,  20, "图片浏览", true, {}},
    {"文件名编辑框", ControlKind::LineEdit,        "分组框1",   22,  32, 256,  20, "", true, {}},
    {"标签3",        ControlKind::Label,           "分组框1",    8,   8, 168,  16, "1、请选择需要的图片：", true, {}},
    {"标签2",        ControlKind::Label,           "分组框1",   16, 288,  32,  80, "Veyla", true, {}},
    {"标签1",        ControlKind::Label,           "分组框1",   24, 392,  56,  24, "输入密码：", true, {}},
    {"按钮4",        ControlKind::PushButton,      "分组框1",  176, 440,  80,  32, "解读Veyla", true, {}},
    {"编辑框4",      ControlKind::MaskedLineEdit,  "分组框1",   88, 392, 248,  20, "", true, {}},
    {"编辑框3",      ControlKind::MultiLineEdit,   "分组框1",   56, 280, 312,  96, "", true, kRevealedMessageColours},
    {"图片框2",      ControlKind::PictureBox,      "分组框1",    8,  72, 400, 200, "", true, {}},
    {"分组框1",      ControlKind::GroupBox,        kWindowName, 392,  8, 416, 496, "", true, {}},
    {"按钮3",        ControlKind::PushButton,      kWindowName, 16, 480,  80,  32, "按钮", false, {}},
    {"按钮2",        ControlKind::PushButton,      kWindowName, 104, 480, 80,  32, "解密", false, {}},
}};
// clang-format on

// The keyboard focus cycle, in Tab order; Shift+Tab walks it backwards. The first control
// takes the focus when the window is first shown.
inline constexpr std::array<std::string_view, 8> kFocusCycle{
    "编辑框3", "编辑框4", "按钮4", "按钮1", "编辑框2", "编辑框1", "文件名编辑框", "浏览按钮"};

// The controls the click handlers work on, by role.
namespace control {
inline constexpr std::string_view kMessage = "编辑框1";
inline constexpr std::string_view kHidePassword = "编辑框2";
inline constexpr std::string_view kFileName = "文件名编辑框";
inline constexpr std::string_view kRevealedMessage = "编辑框3";
inline constexpr std::string_view kReadPassword = "编辑框4";
inline constexpr std::string_view kStatusLine = "标签6";
inline constexpr std::string_view kPictureBox = "图片框2";
inline constexpr std::string_view kFileDialog = "通用对话框1";
inline constexpr std::string_view kBrowseButton = "浏览按钮";
inline constexpr std::string_view kHideButton = "按钮1";
inline constexpr std::string_view kReadButton = "按钮4";
inline constexpr std::string_view kTestPictureButton = "按钮3";
inline constexpr std::string_view kDecryptLastButton = "按钮2";
}  // namespace control

}  // namespace veyla::window
