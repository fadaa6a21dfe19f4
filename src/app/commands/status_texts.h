#pragma once
// What the status line (标签6) says, in the window's own words (UTF-8 here; handlers store
// them as text through StoredText).

#include <string_view>

#include "common/byte_string.h"
#include "common/error.h"

namespace veyla::app::status {

inline constexpr std::string_view kCarrierChosen = "您选择了有Veyla的图片";
inline constexpr std::string_view kOrdinaryPicture = "普通图片";
inline constexpr std::string_view kChoosePictureFirst = "您需要先选择图片文件哦~~";
inline constexpr std::string_view kNoMessage = "您没有要说的Veyla吗？";
inline constexpr std::string_view kHidden = "您的Veyla已经隐藏在图片中了，将它发给心上人吧！";
inline constexpr std::string_view kNothingHidden = "这是一张普通图片，没有隐藏的Veyla哦~";
inline constexpr std::string_view kPasswordNeeded = "Veyla藏在密码中哦，如果知道密码请输入-->";

// The text shown instead of kHidden when the block could not be appended: the cause in a few
// words, and that the picture was left as it was.
std::string HideFailed(const Error& error);

}  // namespace veyla::app::status
